#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Benchmarks are named "<case>/<implementation>"; in each case one implementation is named
// "<...> (reference)". Reports every run as the console does, then a table of each case's
// times per iteration and their ratio to the reference measured in the same run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

private:
  struct TTime {
    std::string Implementation;
    double Nanoseconds;
  };
  std::map<std::string, std::vector<TTime>> Cases;
};
