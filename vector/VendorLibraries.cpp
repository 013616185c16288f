#include "vector/VendorLibraries.h"

#include <dlfcn.h>

#include <string_view>

namespace Primitives {
namespace {

void* LoadFirst(const std::vector<std::string>& files) {
  for (const std::string& file : files)
    if (void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
  return nullptr;
}

void Release(void* library) {
  if (library) dlclose(library);
}

void* ExportOf(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

}  // namespace

TVendorLibraryFiles DefaultVendorLibraryFiles() {
  return {{"libipps.so.5.1", "libipps-5.1.so"},
          {"libippi.so.5.1", "libippi-5.1.so"},
          {"libippcc.so.5.1", "libippcc-5.1.so"}};
}

TVendorLibraries::TVendorLibraries(const TVendorLibraryFiles& files) {
  Image = LoadFirst(files.Image);
  ColourConversion = LoadFirst(files.ColourConversion);
  Signal = LoadFirst(files.Signal);
}

TVendorLibraries::~TVendorLibraries() {
  Release(ColourConversion);
  Release(Image);
  Release(Signal);
}

void* TVendorLibraries::Export(const char* name) const {
  const std::string_view view(name);
  if (view.starts_with("ipps")) return ExportOf(Signal, name);
  if (view.starts_with("ippi")) {
    if (void* address = ExportOf(Image, name)) return address;
    return ExportOf(ColourConversion, name);
  }
  return nullptr;
}

}  // namespace Primitives
