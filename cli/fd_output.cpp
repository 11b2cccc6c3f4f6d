// SPDX-License-Identifier: MIT
// Buffered output on a file descriptor with the reason of a failure kept.
#include "fd_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "kelvara/engine/atomic_file.h"

namespace kelvara::cli {

FdOutputBuffer::FdOutputBuffer(int fd) : m_fd(fd)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FdOutputBuffer::~FdOutputBuffer() { Drain(); }

bool FdOutputBuffer::WriteAll(const char* data, std::size_t size)
{
    if (m_error != 0) return false;
    m_error = engine::WriteAll(m_fd, std::string_view(data, size)).value();
    return m_error == 0;
}

bool FdOutputBuffer::Drain()
{
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return WriteAll(m_buffer.data(), pending);
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c)
{
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize FdOutputBuffer::xsputn(const char* s, std::streamsize n)
{
    // Large blocks (the result comes in blocks of nearly 64 KiB) go out without a copy.
    constexpr std::size_t kDirect = std::size_t{8} * 1024;
    const auto size = static_cast<std::size_t>(n);
    if (size < kDirect && size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(size));
        return n;
    }
    if (!Drain()) return 0;
    if (size >= kDirect) return WriteAll(s, size) ? n : 0;
    std::memcpy(pptr(), s, size);
    pbump(static_cast<int>(size));
    return n;
}

int FdOutputBuffer::sync() { return Drain() ? 0 : -1; }

std::string WriteFailureReason(const std::ostream& out)
{
    const auto* buffer = dynamic_cast<const FdOutputBuffer*>(out.rdbuf());
    if (buffer != nullptr && buffer->Error() != 0) return std::strerror(buffer->Error());
    return "write error";
}

void ReserveStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // open() returns the lowest free number, which is fd itself.
            const int reserved = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (reserved != fd && reserved >= 0) ::close(reserved);
        }
    }
}

}  // namespace kelvara::cli
