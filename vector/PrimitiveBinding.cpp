#include "vector/PrimitiveBinding.h"

#include "vector/PrimitiveEntries.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace Primitives {
namespace {

// Entries that share a record: one member makes it, the others read it. Each family binds all
// from the vendor or all from our own code, so that neither side is handed the other's record.
constexpr const char* StatefulFamilies[][4] = {
    {"ippsFFTInitAlloc_R_64f", "ippsFFTFree_R_64f", "ippsFFTFwd_RToCCS_64f", "ippsFFTInv_CCSToR_64f"},
    {"ippsFFTInitAlloc_C_64fc", "ippsFFTFree_C_64fc", "ippsFFTFwd_CToC_64fc", "ippsFFTInv_CToC_64fc"},
};

void* VendorEntry(const TVendorLibraries& libraries, const char* name) {
  for (const auto& family : StatefulFamilies) {
    if (std::none_of(std::begin(family), std::end(family), [name](std::string_view member) { return member == name; }))
      continue;
    if (!std::all_of(std::begin(family), std::end(family),
                     [&](const char* member) { return libraries.Export(member); }))
      return nullptr;
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
