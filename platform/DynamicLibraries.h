#pragma once

#include "platform/Exception.h"

#include <string>

// A shared library or one of its entry points could not be found ("<library> is not loaded").
class ELibraryNotLoaded : public Exception {
public:
  explicit ELibraryNotLoaded(const std::string& library);
};

// Process-wide list of shared libraries loaded by name. A library is loaded once per lower-cased
// name and stays loaded until the process ends. Safe to call from any thread.
namespace DynamicLibraries {

// Handle of the named library, loading it on first use. Throws ELibraryNotLoaded.
void* Load(const std::string& library);

// Address of an entry point of the named library. Throws ELibraryNotLoaded when either is missing.
void* EntryPoint(const std::string& library, const char* name);

}  // namespace DynamicLibraries
