#include "buffers/KvSimpleDataBuffer.h"
#include "buffers/KvSmartBufferManager.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace {

TKvSmartBufferManager& Pool() { return TKvSmartBufferManager::Instance(); }

TEST(BlockCapacity, IsTheSmallestPowerOfTwoFromFourThatHoldsTheBuffer) {
  struct TCase {
    const char* Kind;
    TRef<IKvDataBuffer> Buffer;
    uint32_t Capacity;
  };
  const TCase cases[] = {
      {"1000 doubles", MakeRef<TKvRealBuffer>(1000), 8192},
      {"1024 doubles", MakeRef<TKvRealBuffer>(1024), 8192},
      {"1025 doubles", MakeRef<TKvRealBuffer>(1025), 16384},
      {"no bytes", MakeRef<TKvBlockBuffer>(0), 4},
      {"1 byte", MakeRef<TKvBlockBuffer>(1), 4},
      {"5 bytes", MakeRef<TKvMemoryBuffer>(5), 8},
      {"3 integers", MakeRef<TKvIntegerBuffer>(3), 16},
      {"1 complex", MakeRef<TKvComplexBuffer>(1), 16},
  };
  for (const TCase& c : cases) {
    const TKvSmartBuffer& block = c.Buffer->GetInstance().Block();
    EXPECT_EQ(block.Capacity(), c.Capacity) << c.Kind;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block.Data()) % 32, 0u) << c.Kind;
  }
}

TEST(BlockCapacity, RunsFromFourTo2To30Bytes) {
  const std::pair<uint64_t, uint32_t> cases[] = {{0, 4},
                                                 {3, 4},
                                                 {4, 4},
                                                 {5, 8},
                                                 {4097, 8192},
                                                 {1u << 29, 1u << 29},
                                                 {(1u << 29) + 1, 1u << 30},
                                                 {1u << 30, 1u << 30}};
  for (const auto& [request, capacity] : cases) EXPECT_EQ(BlockCapacity(request), capacity) << request;
  EXPECT_THROW(BlockCapacity((1u << 30) + 1), EBufferSizeError);
  EXPECT_THROW(BlockCapacity(uint64_t(1) << 32), EBufferSizeError);
}

TEST(BlockCapacity, ABufferAbove2To30BytesIsAnErrorNotASmallBlock) {
  // 2^29 + 1 doubles, and 2^28 complex values, whose size in bytes wraps around in 32 bits.
  EXPECT_THROW(MakeRef<TKvRealBuffer>((1u << 27) + 1), EBufferSizeError);
  EXPECT_THROW(MakeRef<TKvRealBuffer>((1u << 29) + 1), EBufferSizeError);
  EXPECT_THROW(MakeRef<TKvComplexBuffer>(1u << 28), EBufferSizeError);
  const int64_t inUse = Pool().AreasInUse();
  auto buffer = MakeRef<TKvComplexBuffer>(4);
  const uint8_t* data = buffer->GetInstance().Block().Data();
  EXPECT_THROW(buffer->SetCount(1u << 28, true), EBufferSizeError);
  EXPECT_EQ(buffer->GetCount(), 4u);
  EXPECT_EQ(buffer->GetInstance().Block().Data(), data);
  buffer = nullptr;
  EXPECT_EQ(Pool().AreasInUse(), inUse);
}

TEST(Pool, ABurstIsKeptForEightTicksThenFreedOneBlockPerTick) {
  constexpr uint32_t BlockSize = 1u << 20;  // a size class no other buffer here uses
  {
    std::vector<TRef<IKvDataBuffer>> burst;
    for (int i = 0; i < 20; ++i) burst.push_back(MakeRef<TKvBlockBuffer>(BlockSize));
  }
  ASSERT_EQ(Pool().SizeClass(BlockSize).FreeAreas, 20u);
  for (int tick = 1; tick <= 28; ++tick) {
    Pool().Trim();
    const auto state = Pool().SizeClass(BlockSize);
    EXPECT_EQ(state.FreeAreas, uint32_t(std::min(20, 28 - tick))) << "tick " << tick;
    EXPECT_EQ(state.Exists, tick < 28) << "tick " << tick;
  }
}

TEST(Pool, ReusesReturnedBlocksAndCountsWhatIsOut) {
  constexpr uint32_t Doubles = 1u << 15;  // 256 KiB blocks
  const int64_t inUse = Pool().AreasInUse();
  const uint8_t* first = MakeRef<TKvRealBuffer>(Doubles)->GetInstance().Block().Data();
  EXPECT_EQ(Pool().AreasInUse(), inUse);
  const auto again = MakeRef<TKvRealBuffer>(Doubles);
  EXPECT_EQ(again->GetInstance().Block().Data(), first);
  // The buffer object, its block's descriptor and the block's memory.
  EXPECT_EQ(Pool().AreasInUse(), inUse + 3);
  // A size class in use is kept as long as it is taken from again within 8 ticks.
  for (int tick = 0; tick < 50; ++tick) {
    Pool().Trim();
    if (tick % 7 == 0) MakeRef<TKvRealBuffer>(Doubles);
  }
  EXPECT_TRUE(Pool().SizeClass(Doubles * 8).Exists);
}

TEST(Pool, ARefusalFailsTheTakeAsAnExhaustedHeapWouldAndCountsNothing) {
  constexpr uint32_t Doubles = 1u << 12;
  const int64_t inUse = Pool().AreasInUse();
  // Only the block's memory is refused: the buffer object and its descriptor are taken first
  // and must be given back when the buffer cannot be made.
  TKvSmartBufferManager::SetRefusal([](uint32_t size) { return size == Doubles * 8; });
  EXPECT_THROW(MakeRef<TKvRealBuffer>(Doubles), std::bad_alloc);
  EXPECT_EQ(Pool().AreasInUse(), inUse);
  EXPECT_EQ(MakeRef<TKvRealBuffer>(Doubles / 2)->GetCount(), Doubles / 2);
  TKvSmartBufferManager::SetRefusal(nullptr);
  const auto buffer = MakeRef<TKvRealBuffer>(Doubles);
  EXPECT_EQ(buffer->GetCount(), Doubles);
  EXPECT_EQ(Pool().AreasInUse(), inUse + 3);
}

TEST(Pool, AQtApplicationTrimsFromATimerEvery200Milliseconds) {
  constexpr uint32_t BlockSize = 1u << 21;
  MakeRef<TKvBlockBuffer>(BlockSize);
  ASSERT_EQ(Pool().SizeClass(BlockSize).Countdown, 9);
  int argc = 1;
  char name[] = "buffers_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  auto* timer = application.findChild<QTimer*>("KvSmartBufferManagerTrim");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 200);
  // One tick, delivered at once instead of waited for.
  QTimerEvent tick(timer->timerId());
  QCoreApplication::sendEvent(timer, &tick);
  EXPECT_EQ(Pool().SizeClass(BlockSize).Countdown, 8);
}

}  // namespace
