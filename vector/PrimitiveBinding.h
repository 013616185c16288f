#pragma once

#include "vector/PrimitiveTable.h"
#include "vector/VendorLibraries.h"

namespace Primitives {

// A primitive table bound to the vendor libraries found among the given files, each entry to the
// library's export of its name or else to our own implementation; the libraries stay loaded while
// the binding lives. The process uses one, BoundPrimitives(); tests make their own to name the
// library files.
class TPrimitiveBinding {
public:
  explicit TPrimitiveBinding(const TVendorLibraryFiles& files);

  const TPrimitiveTable& Table() const { return Entries; }

private:
  TVendorLibraries Libraries;
  TPrimitiveTable Entries;
};

// The process's table, bound on first use from the default library files. Entries are written
// only then, so any thread may call them; the libraries are released at process end.
const TPrimitiveTable& BoundPrimitives();

}  // namespace Primitives
