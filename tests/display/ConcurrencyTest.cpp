// Data delivered from other threads while the window thread refreshes, paints and holds.
#include "DisplayTestKit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

TEST(DisplayConcurrency, DeliveriesFromManyThreadsMeetRefreshesPaintsAndHolds) {
  TChartPtr chart(new TTestChart(nullptr));
  std::atomic<bool> stop{false};
  std::atomic<long> delivered{0};
  std::vector<std::thread> producers;
  // Thread t delivers ranges -(100 t + a) … 100 t + b: a committed pair shows whether it was
  // torn between two deliveries.
  for (int t = 1; t <= 3; ++t) {
    producers.emplace_back([&, t] {
      for (int i = 0; !stop.load(); ++i) {
        chart->Deliver(-(100.0 * t + i % 7), 100.0 * t + i % 5);
        delivered.fetch_add(1);
      }
    });
  }
  int refreshes = 0, torn = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  while (std::chrono::steady_clock::now() < end) {
    if (chart->Refresh()) {
      ++refreshes;
      const auto [min, max] = *chart->Committed();
      const double t = std::round(max / 100);
      if (-min < 100 * t || -min > 100 * t + 6) ++torn;
    }
    Expose(*chart);
    if (refreshes % 16 == 8) chart->SetZoomHold(!chart->ZoomHold());
  }
  stop = true;
  for (std::thread& producer : producers) producer.join();
  EXPECT_GT(delivered.load(), 0);
  EXPECT_GT(refreshes, 0);
  EXPECT_EQ(torn, 0);

  chart->SetZoomHold(false);
  chart->Deliver(-1, 1);
  EXPECT_TRUE(chart->Refresh());
  EXPECT_EQ(chart->Committed(), (std::pair{-1.0, 1.0}));
}

}  // namespace
