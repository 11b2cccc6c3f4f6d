// SPDX-License-Identifier: MIT
// Lum.ini load and save on a 10 MB file of three shapes: one huge value, a flood of section
// headers, and a flood of keys inside a section the load step reads. Time per load + save,
// and the peak memory of one load + save measured in a fresh child process.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "kelvara/settings/settings_file.h"

namespace {

namespace fs = std::filesystem;
using kelvara::settings::LoadSettings;
using kelvara::settings::SaveSettings;

constexpr std::size_t kFileSize = 10u << 20;

enum class Shape { HugeValue, SectionHeaders, KeysInColor };

const char* Name(Shape shape)
{
    switch (shape) {
        case Shape::HugeValue:
            return "huge_value";
        case Shape::SectionHeaders:
            return "section_headers";
        case Shape::KeysInColor:
            return "keys_in_color";
    }
    return "";
}

fs::path Folder()
{
    static const fs::path folder =
        fs::temp_directory_path() / ("kelvara-settings-bench-" + std::to_string(::getpid()));
    return folder;
}

fs::path FileOf(Shape shape) { return Folder() / (std::string(Name(shape)) + ".ini"); }

// Written in pieces, so that making the file does not raise the process's memory.
void MakeFile(Shape shape)
{
    fs::create_directories(Folder());
    std::ofstream out(FileOf(shape), std::ios::binary | std::ios::trunc);
    std::size_t written = 0;
    auto put = [&](const std::string& bytes) {
        out << bytes;
        written += bytes.size();
    };
    const std::string entries =
        "[Set]\r\nn= 2\r\n[Font]\r\nh_nfontsize= 3\r\n[Color]\r\nFor=FF0000\r\nLast=0000FF\r\n";
    switch (shape) {
        case Shape::HugeValue: {
            put(entries + "[text]\r\nlast=");
            const std::string chunk(4096, 'x');
            while (written + chunk.size() < kFileSize) put(chunk);
            put("\r\n");
            break;
        }
        case Shape::SectionHeaders:
            // The sections the load step wants come last, behind every header.
            for (std::size_t i = 0; written < kFileSize; ++i)
                put("[" + std::to_string(i % 1000) + "]\r\n");
            put(entries);
            break;
        case Shape::KeysInColor:
            put("[Color]\r\n");
            for (std::size_t i = 0; written < kFileSize; ++i)
                put("k" + std::to_string(i) + "=0\r\n");
            put(entries);
            break;
    }
}

void LoadAndSave(const fs::path& file)
{
    const auto settings = LoadSettings(file).value;
    if (SaveSettings(settings, file)) std::abort();
}

void BM_LoadAndSave(benchmark::State& state)
{
    const auto shape = static_cast<Shape>(state.range(0));
    for (auto _ : state) {
        // A save cuts a huge value to what the load step keeps, so each round starts afresh.
        state.PauseTiming();
        MakeFile(shape);
        state.ResumeTiming();
        LoadAndSave(FileOf(shape));
    }
    state.SetLabel(Name(shape));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kFileSize));
}
BENCHMARK(BM_LoadAndSave)
    ->Arg(static_cast<int>(Shape::HugeValue))
    ->Arg(static_cast<int>(Shape::SectionHeaders))
    ->Arg(static_cast<int>(Shape::KeysInColor))
    ->Unit(benchmark::kMillisecond);

// A value of /proc/self/status in kB, such as VmRSS or VmHWM.
long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    }
    return -1;
}

// One load + save in a child process, whose peak resident size is reset just before: the
// memory the two steps need on top of what the process already held.
void ReportPeakMemory(Shape shape)
{
    MakeFile(shape);
    const auto fileKb = static_cast<double>(fs::file_size(FileOf(shape))) / 1024.0;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const long before = StatusKb("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
        LoadAndSave(FileOf(shape));
        const long peak = StatusKb("VmHWM") - before;
        const ssize_t ignored = ::write(pipeEnds[1], &peak, sizeof peak);
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    long peakKb = -1;
    if (::read(pipeEnds[0], &peakKb, sizeof peakKb) != sizeof peakKb) peakKb = -1;
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    std::printf("peak memory of one load + save, %-15s: %6.1f MB for a %.1f MB file (%.2f x)\n",
                Name(shape), static_cast<double>(peakKb) / 1024.0, fileKb / 1024.0,
                static_cast<double>(peakKb) / fileKb);
}

}  // namespace

int main(int argc, char** argv)
{
    for (const Shape shape : {Shape::HugeValue, Shape::SectionHeaders, Shape::KeysInColor}) {
        ReportPeakMemory(shape);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
