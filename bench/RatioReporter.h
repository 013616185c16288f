#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Benchmarks are named "<case>/<implementation>"; in each case one implementation is named
// "<...> (reference)". Reports every run as the console does, then a table of each case's
// times per iteration and their ratio to the reference measured in the same run. With
// repetitions the table takes each benchmark's fastest repetition, the one least disturbed by
// other work on the machine.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;
  // The fastest repetition's nanoseconds per iteration of "<case>/<implementation>"; 0 when it
  // did not run.
  double Fastest(const std::string& benchmarkName) const;

private:
  // Case, then implementation, in the order they ran: nanoseconds per iteration.
  std::map<std::string, std::vector<std::pair<std::string, double>>> Cases;
};

// Runs the benchmarks the command line selects and reports them through TRatioReporter, then
// hands the reporter to `finished` (when given); the value for main to return.
int RunBenchmarks(int argc, char** argv, const std::function<void(const TRatioReporter&)>& finished = {});
