// SPDX-License-Identifier: MIT
// fork/exec of kelvara-gen with pipes and files around it, and wait4 for its resource use.
#include "gen_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kelvara::cli {
namespace {

std::string ReadAndRemove(const std::string& path)
{
    std::string bytes;
    {
        std::ifstream file(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    std::remove(path.c_str());
    return bytes;
}

constexpr const char* kTime = "/usr/bin/time";

}  // namespace

bool CanMeasureMemory() { return ::access(kTime, X_OK) == 0; }

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

ProcessRun RunGenProcess(const std::vector<std::string>& args,
                         const std::function<void(int fd)>& feed, StdoutTarget target,
                         bool measureMemory)
{
    const std::string base = "/tmp/kelvara-gen-test-" + std::to_string(::getpid());
    const std::string outPath = base + ".out";
    const std::string errPath = base + ".err";
    const std::string rssPath = base + ".rss";
    int input[2];
    if (::pipe(input) != 0) return {};

    std::vector<std::string> argv;
    if (measureMemory) argv = {kTime, "-f", "%M", "-o", rssPath};
    argv.emplace_back(KELVARA_GEN_PATH);
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(input[0], 0);
        ::close(input[0]);
        ::close(input[1]);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 2);
        ::close(err);
        if (target == StdoutTarget::Closed) {
            ::close(1);
        } else {
            const int out = target == StdoutTarget::DevFull
                                ? ::open("/dev/full", O_WRONLY)
                                : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::close(out);
        }
        ::execv(cargv[0], cargv.data());
        ::_exit(127);
    }
    ::close(input[0]);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    if (feed) feed(input[1]);
    ::close(input[1]);
    std::signal(SIGPIPE, previous);

    ProcessRun run;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return run;
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    if (measureMemory) {
        // The last line holds the number; a line before it tells of a non-zero exit status.
        const std::string rss = ReadAndRemove(rssPath);
        const std::size_t last = rss.find_last_of('\n', rss.size() >= 2 ? rss.size() - 2 : 0);
        run.maxRssKiB = std::atol(rss.c_str() + (last == std::string::npos ? 0 : last + 1));
    }
    run.out = ReadAndRemove(outPath);
    run.err = ReadAndRemove(errPath);
    return run;
}

}  // namespace kelvara::cli
