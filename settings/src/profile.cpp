// The INI store behind Lum.ini. The file is kept as its lines, byte for byte, so a write
// changes only the one line it must and leaves comments, blank lines and odd lines alone.
#include "kelvara/settings/profile.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#include "kelvara/engine/shift_jis.h"

namespace kelvara::settings {
namespace {

using engine::IsShiftJisLeadByte;
using engine::IsShiftJisTrailByte;

bool IsBlank(char byte) { return byte == ' ' || byte == '\t'; }

// Neither a lead nor a trail byte can be a blank, so trimming needs no look at the encoding.
std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Length of the character starting at position: 2 for a lead byte with its trail, else 1.
std::size_t CharacterLength(std::string_view text, std::size_t position)
{
    if (IsShiftJisLeadByte(static_cast<unsigned char>(text[position])) &&
        position + 1 < text.size() &&
        IsShiftJisTrailByte(static_cast<unsigned char>(text[position + 1]))) {
        return 2;
    }
    return 1;
}

// The first occurrence of an ASCII byte that stands for itself, not as a trail byte.
std::size_t FindAscii(std::string_view text, char wanted, std::size_t from = 0)
{
    for (std::size_t position = from; position < text.size();) {
        const std::size_t length = CharacterLength(text, position);
        if (length == 1 && text[position] == wanted) {
            return position;
        }
        position += length;
    }
    return std::string_view::npos;
}

char FoldAscii(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 32) : byte;
}

// ASCII letters match in either case; the bytes of double-byte characters must be equal, as
// folding a trail byte would make two different kanji match.
bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t position = 0; position < a.size();) {
        const std::size_t length = CharacterLength(a, position);
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

// What one line of the file is, seen by the store.
struct LineShape {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name;       // section or key name, blanks trimmed
    std::size_t valueStart = 0;  // for a key: the position just after its "="
};

LineShape ShapeOf(std::string_view line)
{
    LineShape shape;
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) {
        ++start;
    }
    if (start == line.size() || line[start] == ';') {
        return shape;  // blank line or comment
    }
    if (line[start] == '[') {
        const std::size_t close = FindAscii(line, ']', start + 1);
        if (close != std::string_view::npos) {
            shape.kind = LineShape::Kind::Section;
            shape.name = TrimBlanks(line.substr(start + 1, close - start - 1));
            return shape;
        }
    }
    const std::size_t equals = FindAscii(line, '=', start);
    if (equals != std::string_view::npos) {
        shape.kind = LineShape::Kind::Key;
        shape.name = TrimBlanks(line.substr(start, equals - start));
        shape.valueStart = equals + 1;
    }
    return shape;
}

// A name or value handed to the store ends at a line break or NUL: it must stay on its line.
std::string OneLine(std::u16string_view text)
{
    std::string bytes = engine::EncodeShiftJis(text, engine::Unmappable::DefaultChar);
    const std::size_t end = bytes.find_first_of(std::string_view("\r\n\0", 3));
    if (end != std::string::npos) {
        bytes.resize(end);
    }
    return bytes;
}

// A name in the same folder (so the rename stays on one file system) that no other writer
// picks at the same moment.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    std::random_device device;
    std::filesystem::path temporary = target;
    temporary += ".tmp" + std::to_string(device());
    return temporary;
}

}  // namespace

struct ProfileFile::Impl {
    struct Line {
        std::string text;    // without its line ending
        std::string ending;  // "\r\n", "\n", or "" for a last line without one
    };
    std::vector<Line> lines;

    // Index of the first section of that name, if any; later duplicates are never consulted.
    [[nodiscard]] std::optional<std::size_t> FindSection(std::string_view name) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LineShape shape = ShapeOf(lines[i].text);
            if (shape.kind == LineShape::Kind::Section && NamesEqual(shape.name, name)) {
                return i;
            }
        }
        return std::nullopt;
    }

    // End of the section whose header is at index header: the next header or the end.
    [[nodiscard]] std::size_t SectionEnd(std::size_t header) const
    {
        std::size_t i = header + 1;
        while (i < lines.size() && ShapeOf(lines[i].text).kind != LineShape::Kind::Section) {
            ++i;
        }
        return i;
    }

    [[nodiscard]] std::optional<std::size_t> FindKey(std::size_t header,
                                                     std::string_view name) const
    {
        const std::size_t end = SectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            const LineShape shape = ShapeOf(lines[i].text);
            if (shape.kind == LineShape::Kind::Key && NamesEqual(shape.name, name)) {
                return i;
            }
        }
        return std::nullopt;
    }

    // New lines follow the file's own habit; a new or mixed file gets CR LF like any INI
    // file made on Windows.
    [[nodiscard]] std::string NewLineEnding() const
    {
        std::size_t lf = 0;
        std::size_t crlf = 0;
        for (const Line& line : lines) {
            lf += line.ending == "\n" ? 1 : 0;
            crlf += line.ending == "\r\n" ? 1 : 0;
        }
        return lf > crlf ? "\n" : "\r\n";
    }

    void Insert(std::size_t at, std::string text, const std::string& ending)
    {
        // The line before may be the file's last one, without an ending of its own.
        if (at > 0 && lines[at - 1].ending.empty()) {
            lines[at - 1].ending = ending;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                     Line{std::move(text), ending});
    }
};

ProfileFile::ProfileFile() : m_impl(std::make_unique<Impl>()) {}
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

ProfileFile ProfileFile::FromBytes(std::string_view bytes)
{
    ProfileFile file;
    std::vector<Impl::Line>& lines = file.m_impl->lines;
    // CR and LF are never trail bytes, so lines split on the raw bytes.
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        if (lineFeed == std::string_view::npos) {
            lines.push_back({std::string(bytes), ""});
            break;
        }
        const bool crlf = lineFeed > 0 && bytes[lineFeed - 1] == '\r';
        const std::size_t textLength = crlf ? lineFeed - 1 : lineFeed;
        lines.push_back({std::string(bytes.substr(0, textLength)), crlf ? "\r\n" : "\n"});
        bytes.remove_prefix(lineFeed + 1);
    }
    return file;
}

std::optional<ProfileFile> ProfileFile::TryLoad(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return ProfileFile();
    }
    if (error || !std::filesystem::is_regular_file(status)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return FromBytes(bytes);
}

ProfileFile ProfileFile::Load(const std::filesystem::path& path)
{
    std::optional<ProfileFile> file = TryLoad(path);
    return file ? std::move(*file) : ProfileFile();
}

std::u16string ProfileFile::Read(std::u16string_view section, std::u16string_view key,
                                 std::size_t size) const
{
    if (size == 0) {
        return {};
    }
    const std::string sectionName = OneLine(section);
    const std::string keyName = OneLine(key);
    const std::optional<std::size_t> header = m_impl->FindSection(TrimBlanks(sectionName));
    if (!header) {
        return {};
    }
    const std::optional<std::size_t> keyLine = m_impl->FindKey(*header, TrimBlanks(keyName));
    if (!keyLine) {
        return {};
    }
    const std::string_view text = m_impl->lines[*keyLine].text;
    std::string_view value = TrimBlanks(text.substr(ShapeOf(text).valueStart));
    // The value reaches the caller as a C string would: up to a NUL byte.
    value = value.substr(0, value.find('\0'));
    return engine::DecodeShiftJis(engine::CutShiftJis(value, size - 1));
}

void ProfileFile::Write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value)
{
    // A new line holds the names without surrounding blanks and the value as given (key " 0",
    // value " 1" make "0= 1"); blanks around a value do not matter when it is read.
    const std::string sectionName(TrimBlanks(OneLine(section)));
    const std::string keyName(TrimBlanks(OneLine(key)));
    const std::string valueBytes = OneLine(value);
    std::vector<Impl::Line>& lines = m_impl->lines;
    const std::string ending = m_impl->NewLineEnding();

    const std::optional<std::size_t> header = m_impl->FindSection(TrimBlanks(sectionName));
    if (!header) {
        m_impl->Insert(lines.size(), "[" + sectionName + "]", ending);
        m_impl->Insert(lines.size(), keyName + "=" + valueBytes, ending);
        return;
    }
    if (const std::optional<std::size_t> keyLine = m_impl->FindKey(*header, TrimBlanks(keyName))) {
        // Keep the key as the file spells it and the blanks after its "=": only the value
        // changes, so a file saved twice stays the same.
        std::string& text = lines[*keyLine].text;
        std::size_t valueStart = ShapeOf(text).valueStart;
        while (valueStart < text.size() && IsBlank(text[valueStart])) {
            ++valueStart;
        }
        text.replace(valueStart, std::string::npos, TrimBlanks(valueBytes));
        return;
    }
    // A new key goes after the last key of its section, before any blank lines or comments
    // that separate the section from the next one.
    std::size_t at = *header + 1;
    const std::size_t end = m_impl->SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (ShapeOf(lines[i].text).kind == LineShape::Kind::Key) {
            at = i + 1;
        }
    }
    m_impl->Insert(at, keyName + "=" + valueBytes, ending);
}

std::string ProfileFile::Bytes() const
{
    std::string bytes;
    for (const Impl::Line& line : m_impl->lines) {
        bytes += line.text;
        bytes += line.ending;
    }
    return bytes;
}

bool ProfileFile::Save(const std::filesystem::path& path) const
{
    const std::string bytes = Bytes();
    // The file is either the old one or the complete new one, never a half-written mix.
    const std::filesystem::path temporary = TemporaryBeside(path);
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    // The replacement keeps the permissions the user gave the old file.
    if (const auto status = std::filesystem::status(path, ignored);
        std::filesystem::exists(status)) {
        std::filesystem::permissions(temporary, status.permissions(), ignored);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

std::u16string ReadProfileString(std::u16string_view section, std::u16string_view key,
                                 std::size_t size, const std::filesystem::path& path)
{
    return TrimAtNul(ProfileFile::Load(path).Read(section, key, size));
}

std::u16string WriteProfileString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value, const std::filesystem::path& path)
{
    // An existing file that cannot be read is left alone rather than replaced by one entry.
    std::optional<ProfileFile> file = ProfileFile::TryLoad(path);
    if (!file) {
        return u"0";
    }
    file->Write(section, key, value);
    return file->Save(path) ? u"1" : u"0";
}

std::u16string TrimAtNul(std::u16string_view text)
{
    return std::u16string(text.substr(0, text.find(u'\0')));
}

}  // namespace kelvara::settings
