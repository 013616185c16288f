#include "platform/DynamicLibraries.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

ELibraryNotLoaded::ELibraryNotLoaded(const std::string& library) : Exception(library + " is not loaded") {}

namespace {

class TLibraryList {
public:
  ~TLibraryList() {
    for (auto& [name, handle] : Handles) dlclose(handle);
  }

  void* Load(const std::string& library) {
    std::string key = library;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::lock_guard lock(Mutex);
    if (auto found = Handles.find(key); found != Handles.end()) return found->second;
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw ELibraryNotLoaded(library);
    Handles.emplace(std::move(key), handle);
    return handle;
  }

private:
  std::mutex Mutex;
  std::map<std::string, void*> Handles;
};

TLibraryList& Libraries() {
  static TLibraryList list;
  return list;
}

}  // namespace

void* DynamicLibraries::Load(const std::string& library) { return Libraries().Load(library); }

void* DynamicLibraries::EntryPoint(const std::string& library, const char* name) {
  void* address = dlsym(Load(library), name);
  if (!address) throw ELibraryNotLoaded(library);
  return address;
}
