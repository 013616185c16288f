#pragma once

// Finding pins by their paths.

#include "pins/LkObject.h"

#include <string>

class TComponent;

// Path operations.
namespace LkPaths {
// `path` behind `root` and a dot; a root without a name adds nothing, since a path that began with
// a dot would not read back.
std::string WithRoot(const std::string& root, const std::string& path);
// `path` with its root part `loadedRoot` replaced by `currentRoot`.
std::string ReplaceRoot(const std::string& path, const std::string& loadedRoot, const std::string& currentRoot);
// The pin that `identPath` (else `displayPath`) names, seen from `readerRoot`; none when none does.
TLkBasicPin* Find(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath);
// The same, making a placeholder of `kind` when no pin is found.
TLkBasicPin* FindOrCreate(TComponent* readerRoot, const std::string& identPath, const std::string& displayPath,
                          TLkPinKind kind);
// Whether `pin`'s identifier paths name `identPath`, as step one of Find decides.
bool IdentMatches(TLkBasicPin& pin, TComponent* readerRoot, const std::string& identPath);
}  // namespace LkPaths
