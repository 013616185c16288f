// Feeds arbitrary text to the layout reader. A layout must either be refused with a read error or
// be read; one that is read must write back to text that reads again and writes the same.
#include "../platform/LayoutTestClasses.h"

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ReadAndWrite(const std::string& text) {
  std::unique_ptr<TTestRoot, TComponentDeleter> root(new TTestRoot);
  TLayoutReader::ReadRoot(*root, text);
  return TLayoutWriter::WriteRoot(*root);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = (RegisterTestClasses(), true);
  (void)registered;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string written;
  try {
    written = ReadAndWrite(text);
  } catch (const ELayoutReadError&) {
    return 0;
  }
  try {
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
