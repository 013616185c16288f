#pragma once

#include "platform/Persistent.h"

#include <cstdint>
#include <string>
#include <vector>

class TCollection;

// Writes a root component and everything written inside it as layout text: each object's
// published properties that differ from their declared defaults, in table order, then its extra
// properties, then the components written inside its block. Property writers and hooks write
// their values through it.
class TLayoutWriter : public TFiler {
public:
  static std::string WriteRoot(TComponent& root);

  void WriteInteger(int64_t value);
  void WriteFloat(double value);
  void WriteString(const std::string& value);
  void WriteIdent(const std::string& value);
  void WriteBoolean(bool value);
  void WriteSet(const std::vector<std::string>& names);
  void WriteBinary(const std::vector<uint8_t>& bytes);
  void WriteListBegin();
  void WriteListEnd();
  void WriteCollection(const TCollection& collection);

  TComponent* Root() const override { return Root_; }
  void DefineProperty(const std::string& name, const std::function<void(TLayoutReader&)>& read,
                      const std::function<void(TLayoutWriter&)>& write, bool hasData) override;

private:
  explicit TLayoutWriter(TComponent& root) : Root_(&root) {}
  void WriteObject(TComponent& component, int depth);
  void WriteProperties(const TPersistent& object, const std::string& prefix);
  void WritePropertyName(const std::string& name);
  // Starts a value: inside a list each value goes on a line of its own.
  void BeginValue();
  void NewLine(int depth);

  TComponent* Root_;
  std::string Out;
  int Depth = 0;               // of the property being written
  std::vector<bool> ListOpen;  // per open list: whether it has an item yet
  std::string Prefix;          // dotted path of the sub-object whose properties are written
};
