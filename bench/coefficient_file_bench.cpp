#include "bench/bench_support.h"
#include "coefficients/coefficient_file.h"
#include "toolkit/line_buffer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace signova {
namespace {

// A coefficient file of about `megabytes` MB: the header, then comment lines
// only, then four values; cleaning must delete almost every line.
std::string CommentFileText(std::int64_t megabytes) {
    const std::string comment = "// a comment line of a teacher's notes, sixty-four bytes long..\n";
    const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
    std::string text = "//SIGNOVA\n//TYPE FIR\n//TITLE Comments\n";
    text.reserve(size + 64);
    while (text.size() < size)
        text += comment;
    text += "0.25\n0.25\n0.25 // last\n0,25\n";
    return text;
}

std::filesystem::path WriteTempFile(const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("signova_comment_bench_" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Read from disk (page cache) and clean, as one Load button press does.
void BenchReadAndCleanCommentFile(benchmark::State& state) {
    const std::string text = CommentFileText(state.range(0));
    const auto path = WriteTempFile(text);
    bench::NoDialogs dialogs(DialogResult::Yes); // every question lets the load go on
    for (auto _ : state) {
        LineBuffer lines;
        SimulatorState simulator;
        lines.ReadFile(path.string());
        PrepareCoefficientFile(simulator, lines, "FIR", dialogs);
        if (lines.Count() != 4)
            state.SkipWithError("cleaning left the wrong lines");
        benchmark::DoNotOptimize(lines);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BenchReadAndCleanCommentFile)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// Cleaning alone, on lines already in memory.
void BenchCleanCommentLines(benchmark::State& state) {
    const std::string text = CommentFileText(state.range(0));
    bench::NoDialogs dialogs(DialogResult::Yes); // every question lets the load go on
    for (auto _ : state) {
        state.PauseTiming();
        LineBuffer lines;
        lines.SetText(text);
        SimulatorState simulator;
        state.ResumeTiming();
        PrepareCoefficientFile(simulator, lines, "FIR", dialogs);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BenchCleanCommentLines)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace signova
