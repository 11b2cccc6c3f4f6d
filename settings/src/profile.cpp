// SPDX-License-Identifier: MIT
// The INI store behind Lum.ini. The file is kept as its bytes, so a write changes only the
// lines it must and leaves comments, blank lines and odd lines alone. Reading or writing a set
// of entries is one pass over the file that answers all of them, so even a huge file is cheap.
#include "kelvara/settings/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "kelvara/engine/atomic_file.h"
#include "kelvara/engine/shift_jis.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::settings {
namespace {

namespace fs = std::filesystem;
using engine::IsShiftJisLeadByte;
using engine::IsShiftJisTrailByte;

enum class Encoding { ShiftJis, Utf8 };

bool IsBlank(char byte) { return byte == ' ' || byte == '\t'; }

// Neither a lead nor a trail byte can be a blank, so trimming needs no look at the encoding.
inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Length of the character starting at position as far as finding ASCII bytes goes: 2 for a
// Shift-JIS lead byte with its trail, else 1. UTF-8 never uses ASCII values inside a character.
std::size_t CharacterLength(std::string_view text, std::size_t position, Encoding encoding)
{
    if (encoding == Encoding::ShiftJis &&
        IsShiftJisLeadByte(static_cast<unsigned char>(text[position])) &&
        position + 1 < text.size() &&
        IsShiftJisTrailByte(static_cast<unsigned char>(text[position + 1]))) {
        return 2;
    }
    return 1;
}

// The first occurrence of an ASCII byte that stands for itself, not as a trail byte. A plain
// loop: the names it searches are short, and it runs for every line.
inline std::size_t FindAscii(std::string_view text, char wanted, std::size_t from,
                             Encoding encoding)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
    for (std::size_t position = from; position < size; ++position) {
        const auto byte = static_cast<unsigned char>(data[position]);
        if (byte == static_cast<unsigned char>(wanted)) {
            return position;
        }
        if (encoding == Encoding::ShiftJis && IsShiftJisLeadByte(byte) && position + 1 < size &&
            IsShiftJisTrailByte(static_cast<unsigned char>(data[position + 1]))) {
            ++position;  // the trail byte is part of this character
        }
    }
    return std::string_view::npos;
}

char FoldAscii(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 32) : byte;
}

// ASCII letters match in either case; the bytes of double-byte characters must be equal, as
// folding a trail byte would make two different kanji match.
bool FoldedEqual(std::string_view a, std::string_view b, Encoding encoding)
{
    for (std::size_t position = 0; position < a.size();) {
        const std::size_t length = CharacterLength(a, position, encoding);
        if (length == 2) {
            if (a.substr(position, 2) != b.substr(position, 2)) {
                return false;
            }
        } else if (FoldAscii(a[position]) != FoldAscii(b[position])) {
            return false;
        }
        position += length;
    }
    return true;
}

// Called for every line against every name asked for, so the cheap checks come first: the
// length, and the first byte (ASCII, folded, or a lead byte, which folding leaves alone).
inline bool NamesEqual(std::string_view a, std::string_view b, Encoding encoding)
{
    return a.size() == b.size() && (a.empty() || (FoldAscii(a.front()) == FoldAscii(b.front()) &&
                                                  FoldedEqual(a, b, encoding)));
}

// What a line that is not a section header is, seen by the store.
struct LineShape {
    enum class Kind { Other, Key } kind = Kind::Other;
    std::string_view name;       // key name, blanks trimmed
    std::size_t valueStart = 0;  // for a key: the position just after its "="
};

inline std::size_t FirstNonBlank(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) {
        ++start;
    }
    return start;
}

// The name of a section header line, or nothing for any other line.
inline std::optional<std::string_view> SectionName(std::string_view line, Encoding encoding)
{
    const std::size_t start = FirstNonBlank(line);
    if (start == line.size() || line[start] != '[') {
        return std::nullopt;
    }
    const std::size_t close = FindAscii(line, ']', start + 1, encoding);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(line.substr(start + 1, close - start - 1));
}

// The shape of a line already known not to be a section header: a key or anything else.
LineShape KeyShapeOf(std::string_view line, Encoding encoding)
{
    LineShape shape;
    const std::size_t start = FirstNonBlank(line);
    if (start == line.size() || line[start] == ';') {
        return shape;  // blank line or comment
    }
    const std::size_t equals = FindAscii(line, '=', start, encoding);
    if (equals != std::string_view::npos) {
        shape.kind = LineShape::Kind::Key;
        shape.name = TrimBlanks(line.substr(start, equals - start));
        shape.valueStart = equals + 1;
    }
    return shape;
}

// A name or value handed to the store ends at a line break or NUL: it must stay on its line.
std::string OneLine(std::u16string_view text, Encoding encoding)
{
    std::string bytes = encoding == Encoding::Utf8
                            ? engine::ToUtf8(text, U'?')
                            : engine::EncodeShiftJis(text, engine::Unmappable::DefaultChar);
    const std::size_t end = bytes.find_first_of(std::string_view("\r\n\0", 3));
    if (end != std::string::npos) {
        bytes.resize(end);
    }
    return bytes;
}

// The new text of a key line whose value is replaced: the key as the file spells it and the
// blanks after its "=" stay, so a file saved twice stays the same.
void ReplaceValue(std::string& line, std::size_t valueStart, std::string_view value)
{
    while (valueStart < line.size() && IsBlank(line[valueStart])) {
        ++valueStart;
    }
    line.replace(valueStart, std::string::npos, TrimBlanks(value));
}

// One line of the file: [start, textEnd) is its text, [textEnd, end) its line ending
// ("\r\n", "\n", or nothing for a last line without one).
struct Line {
    std::size_t start = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

// Walks the lines of bytes from position from. CR and LF are never trail bytes, so lines
// split on the raw bytes in either encoding.
class LineWalker {
public:
    LineWalker(std::string_view bytes, std::size_t from) : m_bytes(bytes), m_position(from) {}

    bool Next(Line& line)
    {
        if (m_position >= m_bytes.size()) {
            return false;
        }
        line.start = m_position;
        const std::size_t lineFeed = FindLineFeed();
        if (lineFeed == std::string_view::npos) {
            line.textEnd = line.end = m_bytes.size();
        } else {
            line.end = lineFeed + 1;
            line.textEnd =
                lineFeed > m_position && m_bytes[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
        }
        m_position = line.end;
        return true;
    }

    [[nodiscard]] std::string_view Text(const Line& line) const
    {
        return m_bytes.substr(line.start, line.textEnd - line.start);
    }

private:
    // Most lines of an INI file are short: a plain look at the first bytes beats a call to
    // memchr, which takes over for long lines.
    [[nodiscard]] std::size_t FindLineFeed() const
    {
        constexpr std::size_t kShortLine = 24;
        const std::size_t shortEnd = std::min(m_bytes.size(), m_position + kShortLine);
        for (std::size_t i = m_position; i < shortEnd; ++i) {
            if (m_bytes[i] == '\n') {
                return i;
            }
        }
        if (shortEnd == m_bytes.size()) {
            return std::string_view::npos;
        }
        const void* found = std::memchr(m_bytes.data() + shortEnd, '\n', m_bytes.size() - shortEnd);
        return found == nullptr
                   ? std::string_view::npos
                   : static_cast<std::size_t>(static_cast<const char*>(found) - m_bytes.data());
    }

    std::string_view m_bytes;
    std::size_t m_position;
};

// The entries of one section that a read or write asks for, grouped so that one pass over
// the file finds them all. Only the first section of a name counts, and in it the first key.
struct SectionRequest {
    std::string name;
    std::vector<std::size_t> keys;  // indexes into the caller's key list
    bool seen = false;
};

template <typename Entry>
std::vector<SectionRequest> GroupBySection(const std::vector<Entry>& entries, Encoding encoding)
{
    std::vector<SectionRequest> sections;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SectionRequest* group = nullptr;
        for (SectionRequest& section : sections) {
            if (NamesEqual(section.name, entries[i].section, encoding)) {
                group = &section;
                break;
            }
        }
        if (group == nullptr) {
            group = &sections.emplace_back(SectionRequest{entries[i].section, {}, false});
        }
        group->keys.push_back(i);
    }
    return sections;
}

// The names of an entry that a read asks for, as they stand in the file: encoded, blanks
// trimmed.
struct WantedKey {
    std::string section;
    std::string key;
};

// One read's walk over the file: the sections and keys still wanted and the values found so
// far. The walk can stop as soon as nothing is wanted any more.
class ReadPass {
public:
    ReadPass(std::span<const ProfileRead> entries, std::vector<WantedKey> wanted, Encoding encoding)
        : m_entries(entries),
          m_wanted(std::move(wanted)),
          m_encoding(encoding),
          m_sections(GroupBySection(m_wanted, encoding)),
          m_values(entries.size()),
          m_found(entries.size(), false),
          m_remaining(entries.size()),
          m_unseen(m_sections.size())
    {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].size == 0) {
                m_found[i] = true;  // nothing fits in such a buffer
                --m_remaining;
            }
        }
    }

    [[nodiscard]] bool Done() const { return m_remaining == 0; }

    // Makes the section of a header line current, or none. False once every section asked
    // for is behind us.
    bool EnterSection(std::string_view name)
    {
        m_current = nullptr;
        if (m_unseen == 0) {
            return false;
        }
        for (SectionRequest& section : m_sections) {
            if (!section.seen && NamesEqual(section.name, name, m_encoding)) {
                section.seen = true;
                --m_unseen;
                m_current = &section;
                break;
            }
        }
        return true;
    }

    // Takes the value of a key line in the current section for every entry that asks for it
    // and has no value yet; decode turns the value's bytes into text cut to a size.
    template <typename Decode>
    void TakeKey(std::string_view line, const Decode& decode)
    {
        if (m_current == nullptr) {
            return;
        }
        const LineShape shape = KeyShapeOf(line, m_encoding);
        if (shape.kind != LineShape::Kind::Key) {
            return;
        }
        for (const std::size_t i : m_current->keys) {
            if (!NamesEqual(shape.name, m_wanted[i].key, m_encoding) || m_found[i]) {
                continue;
            }
            std::string_view value = TrimBlanks(line.substr(shape.valueStart));
            // The value reaches the caller as a C string would: up to a NUL byte.
            value = value.substr(0, value.find('\0'));
            m_values[i] = decode(value, m_entries[i].size);
            m_found[i] = true;
            --m_remaining;
        }
    }

    std::vector<std::u16string> TakeValues() { return std::move(m_values); }

private:
    std::span<const ProfileRead> m_entries;
    std::vector<WantedKey> m_wanted;
    Encoding m_encoding;
    std::vector<SectionRequest> m_sections;
    std::vector<std::u16string> m_values;
    std::vector<bool> m_found;
    std::size_t m_remaining;
    std::size_t m_unseen;
    SectionRequest* m_current = nullptr;
};

// Writes of the same key are merged into the one line they end up as: the first write makes
// or finds the line, each later one replaces its value.
struct KeyEdit {
    std::string key;                 // as the first write spells it, blanks trimmed
    std::string value;               // as the first write gives it
    std::vector<std::string> later;  // values of the later writes, in order
    std::optional<Line> existing;    // the key's line in the file
    bool onlyIfPresent = false;      // as the first write gives it
};

// The writes of one call, by section in the order of their first writes.
struct GroupedWrites {
    std::vector<KeyEdit> keys;
    std::vector<std::string> sectionNames;
    std::vector<std::vector<std::size_t>> sectionKeys;  // indexes into keys
};

GroupedWrites GroupWrites(std::span<const ProfileWrite> entries, Encoding encoding)
{
    GroupedWrites writes;
    for (const ProfileWrite& entry : entries) {
        const std::string sectionName(TrimBlanks(OneLine(entry.section, encoding)));
        const std::string keyName(TrimBlanks(OneLine(entry.key, encoding)));
        std::string value = OneLine(entry.value, encoding);
        std::size_t s = 0;
        while (s < writes.sectionNames.size() &&
               !NamesEqual(writes.sectionNames[s], sectionName, encoding)) {
            ++s;
        }
        if (s == writes.sectionNames.size()) {
            writes.sectionNames.push_back(sectionName);
            writes.sectionKeys.emplace_back();
        }
        std::vector<std::size_t>& keys = writes.sectionKeys[s];
        const auto same = std::find_if(keys.begin(), keys.end(), [&](std::size_t index) {
            return NamesEqual(writes.keys[index].key, keyName, encoding);
        });
        if (same == keys.end()) {
            keys.push_back(writes.keys.size());
            writes.keys.push_back(
                {keyName, std::move(value), {}, std::nullopt, entry.onlyIfPresent});
        } else {
            writes.keys[*same].later.push_back(std::move(value));
        }
    }
    return writes;
}

// Where the sections written to stand in the file, and the file's line endings.
struct FileLayout {
    struct SectionPlace {
        bool seen = false;
        Line insertAfter;  // the header, or the last key line of the section
    };
    std::vector<SectionPlace> places;  // by section of GroupedWrites
    // New lines follow the file's own habit; a new or mixed file gets CR LF like any INI file
    // made on Windows.
    std::string_view ending = "\r\n";
    // Only the file's last line can lack an ending; it gets one before any line after it.
    bool lastLineOpen = false;

    // The ending the last line still needs before text inserted at `at`, once.
    std::string CloseLastLine(std::size_t at, std::size_t fileSize)
    {
        if (lastLineOpen && at == fileSize) {
            lastLineOpen = false;
            return std::string(ending);
        }
        return {};
    }
};

// One pass: where each section written to starts, where its new keys go, and which keys exist.
FileLayout FindSections(std::string_view bytes, std::size_t bodyStart, Encoding encoding,
                        GroupedWrites& writes)
{
    FileLayout layout;
    layout.places.resize(writes.sectionNames.size());
    std::size_t lineFeeds = 0;
    std::size_t crLineFeeds = 0;
    Line lastLine;
    LineWalker walker(bytes, bodyStart);
    std::optional<std::size_t> current;
    Line line;
    while (walker.Next(line)) {
        lastLine = line;
        if (line.end > line.textEnd) {
            (line.end - line.textEnd == 2 ? crLineFeeds : lineFeeds) += 1;
        }
        const std::string_view text = walker.Text(line);
        if (const std::optional<std::string_view> name = SectionName(text, encoding)) {
            current.reset();
            for (std::size_t s = 0; s < writes.sectionNames.size(); ++s) {
                if (!layout.places[s].seen && NamesEqual(writes.sectionNames[s], *name, encoding)) {
                    layout.places[s] = {true, line};
                    current = s;
                    break;
                }
            }
            continue;
        }
        if (!current) {
            continue;
        }
        const LineShape shape = KeyShapeOf(text, encoding);
        if (shape.kind != LineShape::Kind::Key) {
            continue;
        }
        // A new key goes after the last key of its section, before any blank lines or
        // comments that separate the section from the next one.
        layout.places[*current].insertAfter = line;
        for (const std::size_t index : writes.sectionKeys[*current]) {
            KeyEdit& edit = writes.keys[index];
            if (!edit.existing && NamesEqual(edit.key, shape.name, encoding)) {
                edit.existing = line;
                break;
            }
        }
    }
    layout.ending = lineFeeds > crLineFeeds ? "\n" : "\r\n";
    layout.lastLineOpen = lastLine.end > lastLine.start && lastLine.end == lastLine.textEnd;
    return layout;
}

// A key line as a write makes it.
std::string NewKeyLine(const KeyEdit& edit)
{
    std::string text = edit.key + "=" + edit.value;
    for (const std::string& later : edit.later) {
        ReplaceValue(text, edit.key.size() + 1, later);
    }
    return text;
}

// Bytes [from, to) of the file are replaced by text.
struct Splice {
    std::size_t from;
    std::size_t to;
    std::string text;
};

// The edits in the sections the file has: replaced values, and new keys after the last key.
std::vector<Splice> SplicesInSections(std::string_view bytes, Encoding encoding,
                                      const GroupedWrites& writes, FileLayout& layout)
{
    std::vector<Splice> splices;
    for (std::size_t s = 0; s < writes.sectionNames.size(); ++s) {
        if (!layout.places[s].seen) {
            continue;
        }
        std::string newLines;
        for (const std::size_t index : writes.sectionKeys[s]) {
            const KeyEdit& edit = writes.keys[index];
            if (!edit.existing) {
                if (!edit.onlyIfPresent) newLines += NewKeyLine(edit) + std::string(layout.ending);
                continue;
            }
            const Line& at = *edit.existing;
            std::string text(bytes.substr(at.start, at.textEnd - at.start));
            const std::size_t valueStart = KeyShapeOf(text, encoding).valueStart;
            ReplaceValue(text, valueStart, edit.value);
            for (const std::string& later : edit.later) {
                ReplaceValue(text, valueStart, later);
            }
            splices.push_back({at.start, at.textEnd, std::move(text)});
        }
        if (!newLines.empty()) {
            const std::size_t at = layout.places[s].insertAfter.end;
            splices.push_back({at, at, layout.CloseLastLine(at, bytes.size()) + newLines});
        }
    }
    return splices;
}

// The sections the file does not have, at its end, after any keys just added to its last
// section; nothing when there are none to add.
std::optional<Splice> NewSections(std::string_view bytes, const GroupedWrites& writes,
                                  FileLayout& layout)
{
    std::string appended;
    for (std::size_t s = 0; s < writes.sectionNames.size(); ++s) {
        if (layout.places[s].seen) {
            continue;
        }
        std::string keys;
        for (const std::size_t index : writes.sectionKeys[s]) {
            if (!writes.keys[index].onlyIfPresent) {
                keys += NewKeyLine(writes.keys[index]) + std::string(layout.ending);
            }
        }
        if (!keys.empty()) {
            appended += "[" + writes.sectionNames[s] + "]" + std::string(layout.ending) + keys;
        }
    }
    if (appended.empty()) {
        return std::nullopt;
    }
    return Splice{bytes.size(), bytes.size(),
                  layout.CloseLastLine(bytes.size(), bytes.size()) + appended};
}

// The file with the splices made, in file order.
std::string ApplySplices(std::string_view bytes, std::vector<Splice> splices)
{
    std::stable_sort(splices.begin(), splices.end(),
                     [](const Splice& a, const Splice& b) { return a.from < b.from; });
    std::size_t grown = 0;
    for (const Splice& splice : splices) {
        grown += splice.text.size();
    }
    std::string result;
    result.reserve(bytes.size() + grown);
    std::size_t copied = 0;
    for (const Splice& splice : splices) {
        result.append(bytes, copied, splice.from - copied);
        result += splice.text;
        copied = splice.to;
    }
    result.append(bytes, copied, std::string::npos);
    return result;
}

// Reads a whole file with the system's reason on failure; a missing file is not_found.
std::error_code ReadFileBytes(const fs::path& path, std::string& bytes)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        return error;
    }
    if (fs::is_directory(status)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    if (!fs::is_regular_file(status)) {
        return engine::FileErrc::NotARegularFile;
    }
    // The mode counts even for the superuser, whom the system lets read anything.
    if (engine::IsUnreadableFile(path)) {
        return std::make_error_code(std::errc::permission_denied);
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return {errno, std::system_category()};
    }
    struct stat info {};
    std::size_t expected = 0;
    if (::fstat(descriptor, &info) == 0 && info.st_size > 0) {
        expected = static_cast<std::size_t>(info.st_size);
    }
    bytes.resize(expected + 1);  // one more, to see the end without a second read
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);  // the file grew while being read
        }
        const ssize_t got = ::read(descriptor, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error.assign(errno, std::system_category());
            break;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(descriptor);
    bytes.resize(error ? 0 : filled);
    return error;
}

}  // namespace

struct ProfileFile::Impl {
    std::string bytes;  // the whole file, byte-order mark included
    Encoding encoding = Encoding::ShiftJis;

    void Take(std::string&& file)
    {
        bytes = std::move(file);
        encoding =
            bytes.starts_with(engine::kUtf8ByteOrderMark) ? Encoding::Utf8 : Encoding::ShiftJis;
    }

    [[nodiscard]] std::size_t BodyStart() const
    {
        return encoding == Encoding::Utf8 ? engine::kUtf8ByteOrderMark.size() : 0;
    }

    [[nodiscard]] std::string Encode(std::u16string_view text) const
    {
        return OneLine(text, encoding);
    }

    [[nodiscard]] std::u16string Decode(std::string_view value, std::size_t size) const
    {
        if (encoding == Encoding::Utf8) {
            return engine::FromUtf8Lenient(engine::CutUtf8(value, size - 1));
        }
        return engine::DecodeShiftJis(engine::CutShiftJis(value, size - 1));
    }
};

ProfileFile::ProfileFile() : m_impl(std::make_unique<Impl>()) {}
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

ProfileFile ProfileFile::FromBytes(std::string_view bytes)
{
    ProfileFile file;
    file.m_impl->Take(std::string(bytes));
    return file;
}

engine::FileRead<ProfileFile> ProfileFile::Load(const fs::path& path)
{
    std::string bytes;
    std::error_code error = ReadFileBytes(path, bytes);
    if (error == std::errc::no_such_file_or_directory) {
        return {};  // a missing file is a first start, not an error
    }
    if (error) {
        return {ProfileFile(), error};
    }
    ProfileFile file;
    file.m_impl->Take(std::move(bytes));
    return {std::move(file), {}};
}

std::u16string ProfileFile::Read(std::u16string_view section, std::u16string_view key,
                                 std::size_t size) const
{
    const ProfileRead entry{section, key, size};
    return std::move(Read(std::span(&entry, 1)).front());
}

std::vector<std::u16string> ProfileFile::Read(std::span<const ProfileRead> entries) const
{
    std::vector<WantedKey> wanted;
    wanted.reserve(entries.size());
    for (const ProfileRead& entry : entries) {
        wanted.push_back({std::string(TrimBlanks(m_impl->Encode(entry.section))),
                          std::string(TrimBlanks(m_impl->Encode(entry.key)))});
    }
    ReadPass pass(entries, std::move(wanted), m_impl->encoding);
    const auto decode = [this](std::string_view value, std::size_t size) {
        return m_impl->Decode(value, size);
    };

    LineWalker walker(m_impl->bytes, m_impl->BodyStart());
    Line line;
    while (!pass.Done() && walker.Next(line)) {
        const std::string_view text = walker.Text(line);
        if (const std::optional<std::string_view> name = SectionName(text, m_impl->encoding)) {
            if (!pass.EnterSection(*name)) {
                break;  // every section asked for is behind us: the rest cannot matter
            }
        } else {
            pass.TakeKey(text, decode);
        }
    }
    return pass.TakeValues();
}

void ProfileFile::Write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value)
{
    const ProfileWrite entry{section, key, value};
    Write(std::span(&entry, 1));
}

void ProfileFile::Write(std::span<const ProfileWrite> entries)
{
    const Encoding encoding = m_impl->encoding;
    const std::string& bytes = m_impl->bytes;
    GroupedWrites writes = GroupWrites(entries, encoding);
    FileLayout layout = FindSections(bytes, m_impl->BodyStart(), encoding, writes);
    std::vector<Splice> splices = SplicesInSections(bytes, encoding, writes, layout);
    if (std::optional<Splice> appended = NewSections(bytes, writes, layout)) {
        splices.push_back(std::move(*appended));
    }
    if (splices.empty()) {
        return;
    }
    m_impl->bytes = ApplySplices(bytes, std::move(splices));
}

std::string ProfileFile::Bytes() const { return m_impl->bytes; }

std::error_code ProfileFile::Save(const fs::path& path) const
{
    // The file is either the old one or the complete new one, never a half-written mix.
    return engine::WriteFileAtomically(path, m_impl->bytes);
}

std::u16string ReadProfileString(std::u16string_view section, std::u16string_view key,
                                 std::size_t size, const std::filesystem::path& path)
{
    return TrimAtNul(ProfileFile::Load(path).value.Read(section, key, size));
}

std::u16string WriteProfileString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value, const std::filesystem::path& path)
{
    // An existing file that cannot be read is left alone rather than replaced by one entry.
    engine::FileRead<ProfileFile> file = ProfileFile::Load(path);
    if (file.error) {
        return u"0";
    }
    file.value.Write(section, key, value);
    const std::error_code error = file.value.Save(path);
    return error ? u"0" : u"1";
}

std::u16string TrimAtNul(std::u16string_view text)
{
    return std::u16string(text.substr(0, text.find(u'\0')));
}

}  // namespace kelvara::settings
