#pragma once
// Google Benchmark's console table, followed by each benchmark's time (and any per-item counter)
// as a ratio to its baseline measured in the same run, so figures from different machines compare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vlk::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // (benchmark, baseline) pairs, by full benchmark name.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            runs_[run.benchmark_name()] = run;
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios to the baseline of the same run (time per iteration; >1 is slower):\n");
        for (const auto& [name, base] : pairs_) {
            const auto a = runs_.find(name);
            const auto b = runs_.find(base);
            if (a == runs_.end() || b == runs_.end())
                continue;
            std::printf("  %-40s / %-40s = %6.2f", name.c_str(), base.c_str(),
                        a->second.GetAdjustedRealTime() / b->second.GetAdjustedRealTime());
            for (const auto& [counter, value] : a->second.counters) {
                const auto other = b->second.counters.find(counter);
                if (other != b->second.counters.end() && other->second.value != 0)
                    std::printf("   %s %.2f", counter.c_str(), value.value / other->second.value);
            }
            std::printf("\n");
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, Run> runs_;
};

// main() for a benchmark program that reports ratios.
inline int RunWithRatios(int argc, char** argv, std::vector<std::pair<std::string, std::string>> pairs)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace vlk::bench
