// The built kelvara-gen run as a separate process, with its exit, output and peak memory.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelvara::cli {

struct ProcessRun {
    bool exited = false;  // false: ended by a signal
    int status = -1;      // exit status, or the signal number
    std::string out;
    std::string err;
    long maxRssKiB = 0;
};

enum class StdoutTarget { Capture, DevFull, Closed };

// Runs kelvara-gen with args. feed writes standard input to the descriptor it is given (the
// write end of a pipe, closed afterwards); SIGPIPE is ignored meanwhile so that a child that
// stops reading ends the feed with a failed write.
ProcessRun RunGenProcess(const std::vector<std::string>& args,
                         const std::function<void(int fd)>& feed = {},
                         StdoutTarget target = StdoutTarget::Capture);

// Writes all of bytes to fd; false once a write fails.
bool WriteAll(int fd, const std::string& bytes);

}  // namespace kelvara::cli
