#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    const std::string name = run.benchmark_name();
    const auto slash = name.find('/');
    if (slash == std::string::npos) continue;
    const double nanoseconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
    auto& times = Cases[name.substr(0, slash)];
    const std::string implementation = name.substr(slash + 1);
    const auto known =
        std::find_if(times.begin(), times.end(), [&](const auto& t) { return t.first == implementation; });
    if (known == times.end()) times.emplace_back(implementation, nanoseconds);
    else known->second = std::min(known->second, nanoseconds);
  }
  ConsoleReporter::ReportRuns(runs);
}

void TRatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\n%-34s %-30s %12s %7s\n", "case", "implementation", "time (ns)", "ratio");
  for (const auto& [name, times] : Cases) {
    double reference = 0;
    for (const auto& [implementation, nanoseconds] : times)
      if (implementation.find("(reference)") != std::string::npos) reference = nanoseconds;
    for (const auto& [implementation, nanoseconds] : times) {
      std::printf("%-34s %-30s %12.1f", name.c_str(), implementation.c_str(), nanoseconds);
      if (reference > 0) std::printf(" %7.2f", nanoseconds / reference);
      std::printf("\n");
    }
  }
}

double TRatioReporter::Fastest(const std::string& benchmarkName) const {
  const auto slash = benchmarkName.find('/');
  const auto found = Cases.find(benchmarkName.substr(0, slash));
  if (slash == std::string::npos || found == Cases.end()) return 0;
  for (const auto& [implementation, nanoseconds] : found->second)
    if (implementation == benchmarkName.substr(slash + 1)) return nanoseconds;
  return 0;
}

int RunBenchmarks(int argc, char** argv, const std::function<void(const TRatioReporter&)>& finished) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (finished) finished(reporter);
  return 0;
}
