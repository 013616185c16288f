#include "RatioReporter.h"

#include <cstdio>

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    const std::string name = run.benchmark_name();
    const auto slash = name.find('/');
    if (slash == std::string::npos) continue;
    const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    Cases[name.substr(0, slash)].push_back({name.substr(slash + 1), seconds * 1e9});
  }
  ConsoleReporter::ReportRuns(runs);
}

void TRatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\n%-32s %-28s %14s %8s\n", "case", "implementation", "time (ns)", "ratio");
  for (const auto& [name, times] : Cases) {
    double reference = 0;
    for (const TTime& time : times)
      if (time.Implementation.find("(reference)") != std::string::npos) reference = time.Nanoseconds;
    for (const TTime& time : times) {
      std::printf("%-32s %-28s %14.1f", name.c_str(), time.Implementation.c_str(), time.Nanoseconds);
      if (reference > 0) std::printf(" %8.2f", time.Nanoseconds / reference);
      std::printf("\n");
    }
  }
}
