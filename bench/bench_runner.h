#pragma once

#include <benchmark/benchmark.h>

#include <vector>

// Runs the registered benchmarks with the console report and returns the exit status: 1 when a
// benchmark stopped with an error (a figure that measured a failure), so that a smoke run of the
// benchmarks fails loudly. Timings are never judged.
inline int RunBenchmarks() {
    class Reporter : public benchmark::ConsoleReporter {
      public:
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs) {
                failed = failed || run.error_occurred;
            }
            ConsoleReporter::ReportRuns(runs);
        }
        bool failed = false;
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return reporter.failed ? 1 : 0;
}
