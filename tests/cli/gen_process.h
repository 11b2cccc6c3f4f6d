// SPDX-License-Identifier: MIT
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
    long maxRssKiB = 0;  // kelvara-gen's own peak, measured by /usr/bin/time; 0 if unknown
};

enum class StdoutTarget { Capture, DevFull, Closed };

// Whether /usr/bin/time is there to measure a child's peak memory. (A child's own resource
// use would include the test process it was forked from, before the exec.)
bool CanMeasureMemory();

// Runs kelvara-gen with args (under /usr/bin/time with measureMemory). feed writes standard input
// to the descriptor it is given (the write end of a pipe, closed afterwards); SIGPIPE is ignored
// meanwhile so that a child that stops reading ends the feed with a failed write.
ProcessRun RunGenProcess(const std::vector<std::string>& args,
                         const std::function<void(int fd)>& feed = {},
                         StdoutTarget target = StdoutTarget::Capture, bool measureMemory = false);

// Writes all of bytes to fd; false once a write fails.
bool WriteAll(int fd, const std::string& bytes);

}  // namespace kelvara::cli
