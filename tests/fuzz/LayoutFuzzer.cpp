// Feeds arbitrary text to the layout reader, with components of every property kind and with pins
// and pin lists. A layout must either be refused with a read error or be read; one that is read
// must write back to text that reads again and writes the same. Links to pins that never appeared
// (placeholders) are written once and dropped by the next read at run time, so such a layout must
// be stable from its second writing on.
#include "../pins/PinLayoutKit.h"
#include "../platform/LayoutTestClasses.h"

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Whether the last read left placeholders for pins that never appeared.
bool LeftPlaceholders = false;

std::string ReadAndWrite(const std::string& text) {
  std::string written;
  {
    std::unique_ptr<TTestRoot, TComponentDeleter> root(new TTestRoot);
    try {
      TLayoutReader::ReadRoot(*root, text);
      written = TLayoutWriter::WriteRoot(*root);
    } catch (...) {
      root.reset();
      for (TLkUnloadedPin* placeholder : LkPlaceholders::All()) LkPlaceholders::Free(placeholder);
      throw;
    }
  }
  // Each input starts without placeholders.
  LeftPlaceholders = !LkPlaceholders::All().empty();
  for (TLkUnloadedPin* placeholder : LkPlaceholders::All()) LkPlaceholders::Free(placeholder);
  return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = (RegisterTestClasses(), RegisterPinLayoutClasses(), RegisterTestConverter(), true);
  (void)registered;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string written;
  try {
    written = ReadAndWrite(text);
  } catch (const ELayoutReadError&) {
    return 0;
  }
  try {
    if (LeftPlaceholders) written = ReadAndWrite(written);
    if (ReadAndWrite(written) != written) {
      std::fprintf(stderr, "a written layout does not write back the same:\n%s\n", written.c_str());
      std::abort();
    }
  } catch (const ELayoutReadError& error) {
    std::fprintf(stderr, "a written layout cannot be read (%s):\n%s\n", error.what(), written.c_str());
    std::abort();
  }
  return 0;
}
