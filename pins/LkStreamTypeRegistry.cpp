#include "pins/LkStreamTypeRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct TTypeEntry {
  TGUID Type;
  std::string Name;
  TLkDefaultHandler Handler = nullptr;
};

struct TRegistries {
  std::mutex Mutex;
  std::vector<TTypeEntry> Types;
  std::vector<lk_detail::TConverterEntry> Converters;
};

// Built on first use, so that units may register from their static initialisation.
TRegistries& Registries() {
  static TRegistries registries;
  return registries;
}

TTypeEntry& FindOrAppend(std::vector<TTypeEntry>& types, const TGUID& type) {
  const auto found = std::find_if(types.begin(), types.end(), [&](const TTypeEntry& e) { return e.Type == type; });
  if (found != types.end()) return *found;
  return types.emplace_back(TTypeEntry{type, {}, nullptr});
}

}  // namespace

void RegisterStreamType(const TGUID& type, const std::string& name) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  FindOrAppend(r.Types, type).Name = name;
}

void SetStreamTypeHandler(const TGUID& type, TLkDefaultHandler handler) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  FindOrAppend(r.Types, type).Handler = handler;
}

std::string StreamTypeName(const TGUID& type) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  for (const TTypeEntry& entry : r.Types)
    if (entry.Type == type) return entry.Name;
  return {};
}

TLkDefaultHandler StreamTypeHandler(const TGUID& type) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  for (const TTypeEntry& entry : r.Types)
    if (entry.Type == type) return entry.Handler;
  return nullptr;
}

void RegisterFormatConverter(const TGUID& from, const TGUID& to, TLkFormatConverterClass converterClass) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  for (lk_detail::TConverterEntry& entry : r.Converters)
    if (entry.From == from && entry.To == to) {
      entry.Class = converterClass;
      return;
    }
  r.Converters.push_back({from, to, converterClass});
}

TLkFormatConverterClass FindFormatConverter(const TGUID& from, const TGUID& to) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  for (auto it = r.Converters.rbegin(); it != r.Converters.rend(); ++it)
    if (it->From == from && it->To == to) return it->Class;
  return nullptr;
}

int lk_detail::ConverterCount() {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  return static_cast<int>(r.Converters.size());
}

lk_detail::TConverterEntry lk_detail::ConverterAt(int index) {
  TRegistries& r = Registries();
  std::lock_guard lock(r.Mutex);
  return r.Converters.at(static_cast<size_t>(index));
}
