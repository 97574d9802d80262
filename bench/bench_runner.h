#pragma once

#include <benchmark/benchmark.h>

#include <vector>

// Runs the registered benchmarks and returns the exit status: 1 when a benchmark stopped with an
// error (a figure that measured a failure), so that a smoke run of the benchmarks fails loudly.
// Timings are never judged. The report is the one Google Benchmark's own flags choose
// (--benchmark_format, --benchmark_out, ...); this only watches the runs on their way to it.
inline int RunBenchmarks() {
    class ErrorWatch : public benchmark::BenchmarkReporter {
      public:
        explicit ErrorWatch(benchmark::BenchmarkReporter& display) : display(display) {}
        bool ReportContext(const Context& context) override {
            return display.ReportContext(context);
        }
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs) {
                failed = failed || run.error_occurred;
            }
            display.ReportRuns(runs);
        }
        void Finalize() override { display.Finalize(); }
        bool failed = false;

      private:
        benchmark::BenchmarkReporter& display;
    };
    // The library keeps the default reporter for the length of the program.
    ErrorWatch watch(*benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&watch);
    return watch.failed ? 1 : 0;
}
