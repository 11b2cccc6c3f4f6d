// SPDX-License-Identifier: MIT
// Standard output of kelvara-gen: a stream buffer written straight to a file descriptor
// through a fixed buffer, which remembers why a write failed (a full disk, a closed
// descriptor, a reader that went away) so the program can say so.
#pragma once

#include <array>
#include <iosfwd>
#include <streambuf>
#include <string>

namespace kelvara::cli {

class FdOutputBuffer final : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd);
    ~FdOutputBuffer() override;
    FdOutputBuffer(const FdOutputBuffer&) = delete;
    FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

    // errno of the first failed write, 0 while every write succeeded.
    [[nodiscard]] int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool WriteAll(const char* data, std::size_t size);
    bool Drain();

    int m_fd;
    int m_error = 0;
    std::array<char, 64 * 1024> m_buffer;  // uninitialised: only the pages used are touched
};

// The reason a write to out failed, as the system words it when out writes to a descriptor.
std::string WriteFailureReason(const std::ostream& out);

// Puts /dev/null, opened read-only, in place of a closed standard descriptor (0, 1, 2), so
// that no file the program opens later takes its number and writes to it fail as they should.
void ReserveStandardDescriptors();

}  // namespace kelvara::cli
