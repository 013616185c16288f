#include "buffers/KvSimpleDataBuffer.h"
#include "buffers/KvSmartBufferManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace {

const TKvSmartBuffer* BlockOf(IKvDataBuffer& buffer) { return &buffer.GetInstance().Block(); }

// A real buffer holding 0, 1, 2, ...
TRef<IKvRealBuffer> Ramp(uint32_t count) {
  auto buffer = MakeRef<TKvRealBuffer>(count);
  std::iota(buffer->WriteData(), buffer->WriteData() + count, 0.0);
  return buffer;
}

TRef<IKvRealBuffer> CloneOf(IKvRealBuffer& buffer) { return Supports<IKvRealBuffer>(buffer.Clone()); }

TEST(CopyOnWrite, ACloneSharesTheBlockAndTheFirstWriteCopiesItOnce) {
  const auto original = Ramp(1024);
  const auto clone = CloneOf(*original);
  ASSERT_TRUE(clone);
  EXPECT_EQ(BlockOf(*clone), BlockOf(*original));
  EXPECT_EQ(clone->GetCount(), 1024u);
  EXPECT_EQ(BlockOf(*original)->Holders(), 2);
  EXPECT_EQ(BlockOf(*original)->Writers(), 2);

  clone->SetValue(5, -1);
  const TKvSmartBuffer* copied = BlockOf(*clone);
  EXPECT_NE(copied, BlockOf(*original));
  EXPECT_EQ(original->GetValue(5), 5);
  EXPECT_EQ(clone->GetValue(5), -1);
  EXPECT_EQ(clone->GetValue(1023), 1023);  // the rest of the content came along

  // Both blocks now have one writer each: further writes stay in place.
  clone->SetValue(6, -2);
  original->SetValue(7, -3);
  EXPECT_EQ(BlockOf(*clone), copied);
  EXPECT_EQ(clone->GetValue(7), 7);
  EXPECT_EQ(original->GetValue(6), 6);
}

TEST(CopyOnWrite, AHolderWithoutWriterFlagLetsTheOtherWriteInPlace) {
  const auto original = Ramp(16);
  const auto reader = CloneOf(*original);
  reader->GetInstance().DropWriterFlag();
  EXPECT_EQ(BlockOf(*original)->Writers(), 1);
  EXPECT_FALSE(original->MakeUnique(true));
  original->SetValue(3, 42);
  EXPECT_EQ(reader->GetValue(3), 42);
  EXPECT_EQ(BlockOf(*reader), BlockOf(*original));
}

TEST(CopyOnWrite, ReadingNeverCopiesAndMakeUniqueTellsWhenItCopied) {
  const auto original = Ramp(8);
  const auto clone = CloneOf(*original);
  EXPECT_EQ(clone->ReadData(), original->ReadData());
  EXPECT_EQ(BlockOf(*clone), BlockOf(*original));
  EXPECT_TRUE(clone->MakeUnique(true));
  EXPECT_FALSE(clone->MakeUnique(true));
  EXPECT_EQ(clone->GetValue(7), 7);
  EXPECT_EQ(BlockOf(*original)->Holders(), 1);
}

TEST(SharedBuffers, SharingConstructorsAndAssignKeepTheHolderCountsRight) {
  const auto a = Ramp(10);
  const auto shared = MakeRef<TKvRealBuffer>(static_cast<IKvDataBuffer&>(*a));
  EXPECT_EQ(BlockOf(*shared), BlockOf(*a));
  EXPECT_EQ(shared->GetValue(9), 9);
  // Any data buffer: bytes of the same block.
  const auto bytes = MakeRef<TKvBlockBuffer>(static_cast<IKvDataBuffer&>(*a));
  EXPECT_EQ(bytes->GetCount(), 80u);
  EXPECT_EQ(BlockOf(*a)->Holders(), 3);

  const auto b = Ramp(3);
  const int64_t inUse = TKvSmartBufferManager::Instance().AreasInUse();
  const TKvSmartBuffer* blockOfB = BlockOf(*b);
  b->Assign(*a);
  EXPECT_EQ(BlockOf(*b), BlockOf(*a));
  EXPECT_EQ(b->GetCount(), 10u);
  EXPECT_EQ(b->ReadData(), a->ReadData());
  EXPECT_EQ(BlockOf(*a)->Holders(), 4);
  EXPECT_EQ(BlockOf(*a)->Writers(), 4);
  EXPECT_NE(blockOfB, BlockOf(*a));
  // b's old block had no other holder: its descriptor and memory went back to the pool.
  EXPECT_EQ(TKvSmartBufferManager::Instance().AreasInUse(), inUse - 2);
  b->Assign(*shared);  // the same block already
  EXPECT_EQ(BlockOf(*a)->Holders(), 4);
}

TEST(SetCount, KeepsTheBlockWhileItIsExclusiveAndLargeEnough) {
  const auto buffer = Ramp(1000);
  const TKvSmartBuffer* block = BlockOf(*buffer);
  buffer->SetCount(10, false);
  EXPECT_EQ(buffer->GetCount(), 10u);
  buffer->SetCount(1000, false);
  EXPECT_EQ(BlockOf(*buffer), block);
  EXPECT_EQ(buffer->GetValue(999), 999);
  buffer->SetCount(1024, false);  // the capacity still covers it
  EXPECT_EQ(BlockOf(*buffer), block);
  buffer->SetCount(0, false);
  EXPECT_EQ(buffer->GetCount(), 0u);
  EXPECT_EQ(BlockOf(*buffer), block);
}

TEST(SetCount, GrowsIntoANewBlockKeepingContentWhenAsked) {
  const auto buffer = Ramp(1024);
  const TKvSmartBuffer* block = BlockOf(*buffer);
  buffer->SetCount(1025, true);
  EXPECT_NE(BlockOf(*buffer), block);
  EXPECT_EQ(buffer->GetCount(), 1025u);
  EXPECT_EQ(BlockOf(*buffer)->Capacity(), 16384u);
  EXPECT_EQ(buffer->GetValue(1023), 1023);
}

TEST(SetCount, ASharedBlockIsLeftToTheOthers) {
  const auto original = Ramp(100);
  const auto clone = CloneOf(*original);
  clone->SetCount(50, true);  // smaller: the block stays, shared
  EXPECT_EQ(BlockOf(*clone), BlockOf(*original));
  EXPECT_EQ(original->GetCount(), 100u);
  clone->SetCount(60, true);  // larger on a shared block: a block of its own
  EXPECT_NE(BlockOf(*clone), BlockOf(*original));
  EXPECT_EQ(clone->GetValue(49), 49);
  EXPECT_EQ(original->GetCount(), 100u);
  EXPECT_EQ(BlockOf(*original)->Holders(), 1);
}

TEST(RangeErrors, GetValueAndSetValueNameTheIndexAndTouchNothing) {
  const auto real = Ramp(1024);
  const auto clone = CloneOf(*real);
  try {
    real->GetValue(1024);
    FAIL() << "no error";
  } catch (const ERangeError& error) {
    EXPECT_STREQ(error.what(), "Index out of range = 1024");
  }
  EXPECT_THROW(clone->SetValue(4000000000u, 1), ERangeError);
  EXPECT_EQ(BlockOf(*clone), BlockOf(*real));  // not even made unique

  const auto bytes = MakeRef<TKvBlockBuffer>(3);
  EXPECT_THROW(bytes->GetValue(3), ERangeError);
  bytes->SetValue(2, 255);
  EXPECT_EQ(bytes->GetValue(2), 255);
}

TEST(CopyTo, CountsElementsBetweenBuffersOfOneKindAndBytesOtherwise) {
  const auto source = Ramp(8);
  const auto real = MakeRef<TKvRealBuffer>(8);
  std::fill_n(real->WriteData(), 8, -1.0);
  source->CopyTo(2, *real, 3, 4);
  EXPECT_EQ(std::vector<double>(real->ReadData(), real->ReadData() + 8),
            (std::vector<double>{-1, -1, -1, -1, 2, 3, 4, -1}));

  const int32_t values[] = {10, 20, 30, 40};
  const auto integers = MakeRef<TKvIntegerBuffer>(4);
  std::copy_n(values, 4, integers->WriteData());
  const auto otherIntegers = MakeRef<TKvIntegerBuffer>(4);
  std::fill_n(otherIntegers->WriteData(), 4, 0);
  integers->CopyTo(1, *otherIntegers, 2, 0);
  EXPECT_EQ(std::vector<int32_t>(otherIntegers->ReadData(), otherIntegers->ReadData() + 4),
            (std::vector<int32_t>{20, 30, 0, 0}));

  // Real into bytes: indices and count in bytes.
  const auto bytes = MakeRef<TKvBlockBuffer>(16);
  std::fill_n(bytes->WriteData(), 16, 0);
  source->CopyTo(8, *bytes, 8, 4);
  double copied;
  std::memcpy(&copied, bytes->ReadData() + 4, 8);
  EXPECT_EQ(copied, 1.0);
  EXPECT_EQ(bytes->GetValue(3), 0);
  EXPECT_EQ(bytes->GetValue(12), 0);
}

TEST(CopyTo, WritesThroughTheDestinationsOwnCopy) {
  const auto source = Ramp(4);
  const auto destination = Ramp(4);
  const auto sharer = CloneOf(*destination);
  source->CopyTo(3, *destination, 1, 0);
  EXPECT_EQ(destination->GetValue(0), 3);
  EXPECT_EQ(sharer->GetValue(0), 0);
  EXPECT_NE(BlockOf(*sharer), BlockOf(*destination));
}

TEST(CopyTo, ARangePastEitherEndIsAnErrorBeforeAnythingIsTouched) {
  struct TCase {
    uint32_t SourceIndex, Count, DestinationIndex;
    const char* Message;
  };
  const TCase cases[] = {
      {6, 3, 0, "Index out of range = 8"},  // source 6..8 of 8
      {0, 3, 3, "Index out of range = 5"},  // destination 3..5 of 5
      {9, 1, 0, "Index out of range = 9"},
      {0, 4294967295u, 0, "Index out of range = 8"},
  };
  for (const TCase& c : cases) {
    const auto source = Ramp(8);
    const auto destination = Ramp(5);
    const auto sharer = CloneOf(*destination);
    try {
      source->CopyTo(c.SourceIndex, *destination, c.Count, c.DestinationIndex);
      ADD_FAILURE() << "no error for " << c.Message;
    } catch (const ERangeError& error) {
      EXPECT_STREQ(error.what(), c.Message);
    }
    EXPECT_EQ(BlockOf(*sharer), BlockOf(*destination)) << c.Message;
  }
  // Nothing to copy is never out of range.
  const auto source = Ramp(2);
  source->CopyTo(100, *source, 0, 100);
}

TEST(RealBuffer, ConvertsTheCallersArraysExactly) {
  const uint16_t u16[] = {0, 65535};
  const int16_t s16[] = {-32768, 32767};
  const uint32_t u32[] = {0, 4294967295u};
  const int32_t s32[] = {INT_MIN, INT_MAX};
  const float f32[] = {0.1f, -3.5f};
  const double f64[] = {0.1, -1e300};
  struct TCase {
    const char* Kind;
    TRef<IKvRealBuffer> Buffer;
    std::vector<double> Expected;
  };
  const TCase cases[] = {
      {"unsigned 16", MakeRef<TKvRealBuffer>(u16, 2), {0, 65535}},
      {"signed 16", MakeRef<TKvRealBuffer>(s16, 2), {-32768, 32767}},
      {"unsigned 32", MakeRef<TKvRealBuffer>(u32, 2), {0, 4294967295.0}},
      {"signed 32", MakeRef<TKvRealBuffer>(s32, 2), {-2147483648.0, 2147483647.0}},
      {"single", MakeRef<TKvRealBuffer>(f32, 2), {double(0.1f), -3.5}},
      {"double", MakeRef<TKvRealBuffer>(f64, 2), {0.1, -1e300}},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(std::vector<double>(c.Buffer->ReadData(), c.Buffer->ReadData() + 2), c.Expected) << c.Kind;
}

TEST(Interfaces, EachBufferAnswersItsOwnInterfacesOnly) {
  const TRef<IKvDataBuffer> buffers[] = {MakeRef<TKvRealBuffer>(1), MakeRef<TKvIntegerBuffer>(1),
                                         MakeRef<TKvComplexBuffer>(1), MakeRef<TKvBlockBuffer>(1),
                                         MakeRef<TKvMemoryBuffer>(1)};
  const TGUID typed[] = {IKvRealBuffer::IID, IKvIntegerBuffer::IID, IKvComplexBuffer::IID, IKvBlockBuffer::IID};
  for (size_t i = 0; i < std::size(buffers); ++i) {
    IKvDataBuffer& buffer = *buffers[i];
    EXPECT_EQ(buffer.QueryInterface(IKvDataBuffer::IID), static_cast<void*>(&buffer)) << i;
    EXPECT_NE(buffer.QueryInterface(IKvData::IID), nullptr) << i;
    for (size_t j = 0; j < std::size(typed); ++j)
      EXPECT_EQ(buffer.QueryInterface(typed[j]) != nullptr, i == j) << i << j;
    EXPECT_EQ(&buffer.GetSequenceStamp().Buffer(), &buffer);
    // A clone is of the same class.
    const TRef<IKvDataBuffer> clone = buffer.Clone();
    // Named first: typeid of a call would evaluate it inside the comparison, which clang warns about.
    const auto& cloned = clone->GetInstance();
    const auto& original = buffer.GetInstance();
    EXPECT_EQ(typeid(cloned), typeid(original)) << i;
  }
  EXPECT_EQ(MakeRef<TKvComplexBuffer>(3)->GetSize(), 48u);
}

class Files : public ::testing::Test {
protected:
  void TearDown() override { std::remove(Name.c_str()); }
  // One file per test: ctest runs the tests of this fixture in parallel processes, and one's TearDown
  // would otherwise remove the file the other has just written.
  const std::string Name = ::testing::TempDir() + "buffers_tests_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw";
};

TEST_F(Files, SaveWritesTheBytesAndLoadReadsThemBack) {
  Ramp(16)->SaveToFile(Name);
  std::FILE* file = std::fopen(Name.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::fseek(file, 0, SEEK_END);
  EXPECT_EQ(std::ftell(file), 128);  // no header
  std::fclose(file);

  const auto loaded = MakeRef<TKvRealBuffer>(12);
  const auto sharer = CloneOf(*loaded);
  loaded->LoadFromFile(Name);  // a file longer than the buffer is fine
  EXPECT_EQ(loaded->GetValue(11), 11);
  EXPECT_NE(BlockOf(*sharer), BlockOf(*loaded));
}

TEST_F(Files, AShortOrMissingFileFailsAndLeavesTheBufferAsItWas) {
  Ramp(4)->SaveToFile(Name);
  const auto buffer = Ramp(5);
  const TKvSmartBuffer* block = BlockOf(*buffer);
  try {
    buffer->LoadFromFile(Name);
    FAIL() << "no error";
  } catch (const EFileError& error) {
    EXPECT_NE(std::string(error.what()).find("holds 32 bytes; the buffer needs 40"), std::string::npos) << error.what();
  }
  EXPECT_EQ(BlockOf(*buffer), block);
  for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(buffer->GetValue(i), i);

  EXPECT_THROW(buffer->LoadFromFile(Name + ".missing"), EFileError);
  EXPECT_THROW(buffer->SaveToFile(::testing::TempDir() + "no/such/folder/file.raw"), EFileError);
  EXPECT_EQ(buffer->GetValue(4), 4);
}

}  // namespace
