#pragma once

#include <string>
#include <vector>

namespace Primitives {

// The file names under which each optional vendor library is looked for, in order; the first that
// loads is used.
struct TVendorLibraryFiles {
  std::vector<std::string> Signal;            // ipps names
  std::vector<std::string> Image;             // ippi names
  std::vector<std::string> ColourConversion;  // ippi names the image library lacks
};

// Where the vendor's libraries are installed on this platform.
TVendorLibraryFiles DefaultVendorLibraryFiles();

// The vendor libraries that could be loaded; one that cannot counts as absent, silently. Loads
// the image and the colour-conversion library, then the signal library, and releases them in the
// order colour conversion, image, signal.
class TVendorLibraries {
public:
  explicit TVendorLibraries(const TVendorLibraryFiles& files);
  ~TVendorLibraries();
  TVendorLibraries(const TVendorLibraries&) = delete;
  TVendorLibraries& operator=(const TVendorLibraries&) = delete;

  // The export of that name, or null: ipps names from the signal library, ippi names from the
  // image library or else from the colour-conversion library.
  void* Export(const char* name) const;

private:
  void* Signal = nullptr;
  void* Image = nullptr;
  void* ColourConversion = nullptr;
};

}  // namespace Primitives
