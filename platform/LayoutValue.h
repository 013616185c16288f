#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The kinds of value a window layout holds.
enum class TValueKind { Integer, Float, String, Identifier, Set, List, Collection, Binary };

const char* ValueKindName(TValueKind kind);

struct TLayoutValue;

// One "Name = value" line; the name may be a dotted path into sub-objects.
struct TLayoutProperty {
  std::string Name;
  std::vector<TLayoutValue> Value;  // exactly one: held in a vector so the types can nest
  int Line = 0;
  const TLayoutValue& Get() const { return Value.front(); }
};

struct TLayoutCollectionItem {
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
};

struct TLayoutValue {
  TValueKind Kind = TValueKind::Integer;
  int Line = 0;
  int64_t Integer = 0;
  double Float = 0;
  std::string Text;                               // String, Identifier
  std::vector<std::string> Names;                 // Set
  std::vector<TLayoutValue> Items;                // List
  std::vector<TLayoutCollectionItem> Collection;  // Collection
  std::vector<uint8_t> Bytes;                     // Binary
};

// One "object Name: TClass ... end" block.
struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// A layout that cannot be read: the message names the line and the problem.
class ELayoutReadError : public std::runtime_error {
public:
  ELayoutReadError(int line, const std::string& problem);
  int Line() const { return Line_; }

private:
  int Line_;
};

// Parses layout text into its object tree. Throws ELayoutReadError.
TLayoutObject ParseLayout(const std::string& text);
