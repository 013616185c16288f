#include "vector/PrimitiveBinding.h"

#include "vector/PrimitiveEntries.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace Primitives {
namespace {

// Entries that share a record: one member makes it, the others read it. Each family binds all
// from the vendor or all from our own code, so that neither side is handed the other's record.
constexpr std::string_view RealFft[] = {"ippsFFTInitAlloc_R_64f", "ippsFFTFree_R_64f", "ippsFFTFwd_RToCCS_64f",
                                        "ippsFFTInv_CCSToR_64f"};
constexpr std::string_view ComplexFft[] = {"ippsFFTInitAlloc_C_64fc", "ippsFFTFree_C_64fc", "ippsFFTFwd_CToC_64fc",
                                           "ippsFFTInv_CToC_64fc"};
constexpr std::string_view Fir[] = {"ippsFIRInitAlloc_64f", "ippsFIRFree_64f", "ippsFIR_64f", "ippsFIROne_64f"};
// The state size belongs to the family: it is the size of the family's own record.
constexpr std::string_view Iir[] = {"ippsIIRInitAlloc_32f", "ippsIIRFree_32f",        "ippsIIR_32f",
                                    "ippsIIR_32f_I",        "ippsIIRInit_BiQuad_32f", "ippsIIRGetStateSize_BiQuad_32f"};
constexpr std::span<const std::string_view> StatefulFamilies[] = {RealFft, ComplexFft, Fir, Iir};

void* VendorEntry(const TVendorLibraries& libraries, const char* name) {
  for (const auto family : StatefulFamilies) {
    if (std::find(family.begin(), family.end(), name) == family.end()) continue;
    if (!std::all_of(family.begin(), family.end(),
                     [&](std::string_view member) { return libraries.Export(member.data()); }))
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
