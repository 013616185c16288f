#include "vector/PrimitiveBinding.h"

#include "vector/PrimitiveEntries.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace Primitives {
namespace {

// Entries that share a record: one member makes it, the others read it. Each family binds all
// from the vendor or all from our own code, so that neither side is handed the other's record.
constexpr std::array<std::array<std::string_view, 4>, 2> StatefulFamilies{{
    {"ippsFFTInitAlloc_R_64f", "ippsFFTFree_R_64f", "ippsFFTFwd_RToCCS_64f", "ippsFFTInv_CCSToR_64f"},
    {"ippsFFTInitAlloc_C_64fc", "ippsFFTFree_C_64fc", "ippsFFTFwd_CToC_64fc", "ippsFFTInv_CToC_64fc"},
}};

void* VendorEntry(const TVendorLibraries& libraries, const char* name) {
  for (const auto& family : StatefulFamilies) {
    if (std::find(family.begin(), family.end(), name) == family.end()) continue;
    for (std::string_view member : family)
      if (!libraries.Export(std::string(member).c_str())) return nullptr;
  }
  return libraries.Export(name);
}

}  // namespace

TPrimitiveBinding::TPrimitiveBinding(const TVendorLibraryFiles& files) : Libraries(files) {
  Own::ForEachGroup(Entries, [this](auto& group) {
    Own::ForEachEntry(group, [this](const char* name, auto& entry, auto own) {
      void* vendor = VendorEntry(Libraries, name);
      entry = vendor ? reinterpret_cast<decltype(own)>(vendor) : own;
    });
  });
}

const TPrimitiveTable& BoundPrimitives() {
  static const TPrimitiveBinding binding(DefaultVendorLibraryFiles());
  return binding.Table();
}

}  // namespace Primitives
