#include "vector/PrimitiveBinding.h"
#include "vector/PrimitiveEntries.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using namespace Primitives;

const std::string Missing = "/nonexistent/libnotavendor.so";

// Every entry of a table by name: the address it was bound to and our own implementation's.
struct TEntry {
  const void* Bound;
  const void* Own;
};
std::multimap<std::string, TEntry> EntriesOf(TPrimitiveTable table) {
  std::multimap<std::string, TEntry> entries;
  Own::ForEachGroup(table, [&](auto& group) {
    Own::ForEachEntry(group, [&](const char* name, auto entry, auto own) {
      entries.emplace(name, TEntry{reinterpret_cast<const void*>(entry), reinterpret_cast<const void*>(own)});
    });
  });
  return entries;
}

// The export of a fake library, looked up independently of the binding.
const void* FakeExport(const char* file, const char* name) {
  void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
  EXPECT_NE(library, nullptr) << file;
  const void* address = dlsym(library, name);
  dlclose(library);  // the binding under test still holds it
  EXPECT_NE(address, nullptr) << name;
  return address;
}

// Checks every entry: the names in `fromVendor` are bound to that file's export, all others to
// our own implementation (in every group that lists them).
void ExpectBinding(const TPrimitiveBinding& binding, const std::map<std::string, const char*>& fromVendor) {
  std::set<std::string> seen;
  for (const auto& [name, entry] : EntriesOf(binding.Table())) {
    seen.insert(name);
    const auto vendor = fromVendor.find(name);
    if (vendor == fromVendor.end()) EXPECT_EQ(entry.Bound, entry.Own) << name << " should be our own";
    else
      EXPECT_EQ(entry.Bound, FakeExport(vendor->second, name.c_str()))
          << name << " should come from " << vendor->second;
  }
  for (const auto& [name, file] : fromVendor) EXPECT_TRUE(seen.count(name)) << name << " is not in the table";
}

const std::map<std::string, const char*> SignalExports = {
    {"ippsTone_Direct_16s", FAKE_SIGNAL_LIBRARY},  {"ippsFFTInitAlloc_C_64fc", FAKE_SIGNAL_LIBRARY},
    {"ippsFFTFree_C_64fc", FAKE_SIGNAL_LIBRARY},   {"ippsFFTFwd_CToC_64fc", FAKE_SIGNAL_LIBRARY},
    {"ippsFFTInv_CToC_64fc", FAKE_SIGNAL_LIBRARY},
};

TEST(PrimitiveBinding, WithoutVendorLibrariesEveryEntryIsOurOwn) {
  ExpectBinding(TPrimitiveBinding({{Missing}, {Missing}, {Missing}}), {});
  // This machine has no vendor library, so the process's own table is all ours as well.
  const auto entries = EntriesOf(BoundPrimitives());
  ASSERT_FALSE(entries.empty());
  for (const auto& [name, entry] : entries) EXPECT_EQ(entry.Bound, entry.Own) << name;
  EXPECT_EQ(&BoundPrimitives(), &BoundPrimitives());
}

TEST(PrimitiveBinding, ImageNamesComeFromTheImageLibraryOnly) {
  // ippsVectorRamp_16s in the image library is ignored; ipps names bind to our own code.
  ExpectBinding(TPrimitiveBinding({{Missing}, {FAKE_IMAGE_LIBRARY}, {Missing}}),
                {{"ippiCopy_16s_C1R", FAKE_IMAGE_LIBRARY}});
}

TEST(PrimitiveBinding, TheImageLibraryGoesBeforeTheColourConversionLibrary) {
  ExpectBinding(TPrimitiveBinding({{Missing}, {FAKE_IMAGE_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}),
                {{"ippiCopy_16s_C1R", FAKE_IMAGE_LIBRARY}});
}

TEST(PrimitiveBinding, AnImageNameTheImageLibraryLacksComesFromTheColourConversionLibrary) {
  // The fake signal library, loaded as the image library, is one without ippiCopy_16s_C1R.
  ExpectBinding(TPrimitiveBinding({{Missing}, {FAKE_SIGNAL_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}),
                {{"ippiCopy_16s_C1R", FAKE_COLOUR_CONVERSION_LIBRARY}});
}

TEST(PrimitiveBinding, SignalNamesBindOneByOneAndStatefulFamiliesWhole) {
  // The complex transform family is exported whole and binds to the library; the real one only in
  // part, so all four of its entries (in both groups that list them) stay our own.
  ExpectBinding(TPrimitiveBinding({{FAKE_SIGNAL_LIBRARY}, {Missing}, {Missing}}), SignalExports);
}

TEST(PrimitiveBinding, AllThreeLibrariesTogether) {
  auto expected = SignalExports;
  expected["ippiCopy_16s_C1R"] = FAKE_IMAGE_LIBRARY;
  ExpectBinding(TPrimitiveBinding({{FAKE_SIGNAL_LIBRARY}, {FAKE_IMAGE_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}),
                expected);
}

TEST(PrimitiveBinding, TheFirstCandidateFileThatLoadsIsUsed) {
  ExpectBinding(TPrimitiveBinding({{Missing}, {Missing, FAKE_IMAGE_LIBRARY, FAKE_COLOUR_CONVERSION_LIBRARY}, {}}),
                {{"ippiCopy_16s_C1R", FAKE_IMAGE_LIBRARY}});
}

}  // namespace
