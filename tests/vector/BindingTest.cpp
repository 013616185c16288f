#include "vector/PrimitiveBinding.h"
#include "vector/PrimitiveEntries.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

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

// The names the fake signal library exports that bind to it: one or more of each group, and the
// stateful families it exports whole.
std::map<std::string, const char*> SignalExports() {
  std::map<std::string, const char*> exports;
  for (const char* name :
       {"ippsAdd_64f_I", "ippsConvert_64f32f", "ippsDivC_16s_ISfs", "ippsTone_Direct_16s", "ippsVectorRamp_16s",
        "ippsMove_8u", "ippsFFTInitAlloc_C_64fc", "ippsFFTFree_C_64fc", "ippsFFTFwd_CToC_64fc", "ippsFFTInv_CToC_64fc",
        "ippsFIRInitAlloc_64f", "ippsFIRFree_64f", "ippsFIR_64f", "ippsFIROne_64f"})
    exports[name] = FAKE_SIGNAL_LIBRARY;
  return exports;
}

const std::map<std::string, const char*> ImageExports = {{"ippiCopy_16s_C1R", FAKE_IMAGE_LIBRARY},
                                                         {"ippiAlphaComp_8u_AC4R", FAKE_IMAGE_LIBRARY}};

TEST(PrimitiveBinding, WithoutVendorLibrariesEveryEntryIsOurOwn) {
  ExpectBinding(TPrimitiveBinding({{Missing}, {Missing}, {Missing}}), {});
  // This machine has no vendor library, so the process's own table is all ours as well.
  TPrimitiveTable table = BoundPrimitives();
  std::vector<std::size_t> groupSizes;
  Own::ForEachGroup(table, [&](auto& group) {
    std::size_t size = 0;
    Own::ForEachEntry(group, [&](const char* name, auto entry, auto own) {
      ++size;
      EXPECT_EQ(reinterpret_cast<const void*>(entry), reinterpret_cast<const void*>(own)) << name;
    });
    groupSizes.push_back(size);
  });
  EXPECT_EQ(groupSizes, (std::vector<std::size_t>{165, 36, 32, 1, 9}));
  EXPECT_EQ(&BoundPrimitives(), &BoundPrimitives());
}

TEST(PrimitiveBinding, ImageNamesComeFromTheImageLibraryOnly) {
  // ippsVectorRamp_16s in the image library is ignored; ipps names bind to our own code.
  ExpectBinding(TPrimitiveBinding({{Missing}, {FAKE_IMAGE_LIBRARY}, {Missing}}), ImageExports);
}

TEST(PrimitiveBinding, TheImageLibraryGoesBeforeTheColourConversionLibrary) {
  auto expected = ImageExports;
  expected["ippiSet_8u_C4R"] = FAKE_COLOUR_CONVERSION_LIBRARY;  // in the buffer and the display group
  ExpectBinding(TPrimitiveBinding({{Missing}, {FAKE_IMAGE_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}), expected);
}

TEST(PrimitiveBinding, AnImageNameTheImageLibraryLacksComesFromTheColourConversionLibrary) {
  // The fake signal library, loaded as the image library, has no image names.
  ExpectBinding(
      TPrimitiveBinding({{Missing}, {FAKE_SIGNAL_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}),
      {{"ippiCopy_16s_C1R", FAKE_COLOUR_CONVERSION_LIBRARY}, {"ippiSet_8u_C4R", FAKE_COLOUR_CONVERSION_LIBRARY}});
}

TEST(PrimitiveBinding, SignalNamesBindOneByOneAndStatefulFamiliesWhole) {
  // The complex transform and the FIR family are exported whole and bind to the library (the FIR
  // in the buffer and the audio group); the real transform and the IIR family only in part, so
  // all of their entries stay our own.
  ExpectBinding(TPrimitiveBinding({{FAKE_SIGNAL_LIBRARY}, {Missing}, {Missing}}), SignalExports());
}

TEST(PrimitiveBinding, AllThreeLibrariesTogether) {
  auto expected = SignalExports();
  expected.insert(ImageExports.begin(), ImageExports.end());
  expected["ippiSet_8u_C4R"] = FAKE_COLOUR_CONVERSION_LIBRARY;
  ExpectBinding(TPrimitiveBinding({{FAKE_SIGNAL_LIBRARY}, {FAKE_IMAGE_LIBRARY}, {FAKE_COLOUR_CONVERSION_LIBRARY}}),
                expected);
}

TEST(PrimitiveBinding, TheFirstCandidateFileThatLoadsIsUsed) {
  ExpectBinding(TPrimitiveBinding({{Missing}, {Missing, FAKE_IMAGE_LIBRARY, FAKE_COLOUR_CONVERSION_LIBRARY}, {}}),
                ImageExports);
}

}  // namespace
