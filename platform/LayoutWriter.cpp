#include "platform/LayoutWriter.h"

#include "platform/ClassInfo.h"
#include "platform/Collection.h"
#include "platform/Component.h"

#include <charconv>
#include <cmath>

namespace {

// Indentation of one nesting level.
constexpr int IndentWidth = 2;
// Hexadecimal digits per line of binary data.
constexpr size_t BinaryLineWidth = 64;

}  // namespace

std::string TLayoutWriter::WriteRoot(TComponent& root) {
  TLayoutWriter writer(root);
  writer.WriteObject(root, 0);
  return writer.Out;
}

void TLayoutWriter::NewLine(int depth) {
  if (!Out.empty()) Out += '\n';
  Out.append(static_cast<size_t>(depth * IndentWidth), ' ');
}

void TLayoutWriter::WriteObject(TComponent& component, int depth) {
  NewLine(depth);
  Out += "object ";
  Out += component.Name().empty() ? component.ClassName() : component.Name() + ": " + component.ClassName();
  Depth = depth + 1;
  WriteProperties(component, "");
  component.GetChildren([&](TComponent* child) { WriteObject(*child, depth + 1); }, Root_);
  NewLine(depth);
  Out += "end";
  if (depth == 0) Out += '\n';
}

void TLayoutWriter::WriteProperties(const TPersistent& object, const std::string& prefix) {
  const std::string outer = Prefix;
  Prefix = prefix;
  object.ClassInfo().ForEachProperty([&](const TPropertyInfo& property) {
    if (property.Kind() == TPropertyKind::Object) {
      const TPersistent* sub = static_cast<const TObjectPropertyInfo&>(property).Object(object);
      if (sub && property.IsStored(object)) WriteProperties(*sub, prefix + property.Name() + ".");
    } else if (property.IsStored(object)) {
      WritePropertyName(prefix + property.Name());
      property.Write(object, *this);
    }
  });
  // Hooks may write extra properties; they are defined on a non-const object by nature.
  const_cast<TPersistent&>(object).DefineProperties(*this);
  Prefix = outer;
}

void TLayoutWriter::DefineProperty(const std::string& name, const std::function<void(TLayoutReader&)>&,
                                   const std::function<void(TLayoutWriter&)>& write, bool hasData) {
  if (!hasData) return;
  WritePropertyName(Prefix + name);
  write(*this);
}

void TLayoutWriter::WritePropertyName(const std::string& name) {
  NewLine(Depth);
  Out += name;
  Out += " = ";
}

void TLayoutWriter::BeginValue() {
  if (ListOpen.empty()) return;
  ListOpen.back() = true;
  NewLine(Depth + static_cast<int>(ListOpen.size()));
}

void TLayoutWriter::WriteInteger(int64_t value) {
  BeginValue();
  Out += std::to_string(value);
}

void TLayoutWriter::WriteFloat(double value) {
  BeginValue();
  if (std::isnan(value)) {
    Out += "NaN";
  } else if (std::isinf(value)) {
    Out += value > 0 ? "Inf" : "NegInf";
  } else {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    Out.append(buffer, result.ptr);
  }
}

void TLayoutWriter::WriteString(const std::string& value) {
  BeginValue();
  if (value.empty()) {
    Out += "''";
    return;
  }
  bool quoted = false;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32) {
      if (quoted) Out += '\'';
      quoted = false;
      Out += '#' + std::to_string(byte);
      continue;
    }
    if (!quoted) Out += '\'';
    quoted = true;
    Out += c;
    if (c == '\'') Out += '\'';
  }
  if (quoted) Out += '\'';
}

void TLayoutWriter::WriteIdent(const std::string& value) {
  BeginValue();
  Out += value;
}

void TLayoutWriter::WriteBoolean(bool value) { WriteIdent(value ? "True" : "False"); }

void TLayoutWriter::WriteSet(const std::vector<std::string>& names) {
  BeginValue();
  Out += '[';
  for (size_t i = 0; i < names.size(); ++i) Out += (i ? ", " : "") + names[i];
  Out += ']';
}

void TLayoutWriter::WriteBinary(const std::vector<uint8_t>& bytes) {
  BeginValue();
  static const char Digits[] = "0123456789ABCDEF";
  Out += '{';
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % (BinaryLineWidth / 2) == 0) NewLine(Depth + static_cast<int>(ListOpen.size()) + 1);
    Out += Digits[bytes[i] >> 4];
    Out += Digits[bytes[i] & 15];
  }
  Out += '}';
}

void TLayoutWriter::WriteListBegin() {
  BeginValue();
  Out += '(';
  ListOpen.push_back(false);
}

void TLayoutWriter::WriteListEnd() {
  ListOpen.pop_back();
  Out += ')';
}

void TLayoutWriter::WriteCollection(const TCollection& collection) {
  BeginValue();
  Out += '<';
  const int outerDepth = Depth;
  const std::vector<bool> outerLists = std::move(ListOpen);
  ListOpen.clear();
  const int itemDepth = outerDepth + static_cast<int>(outerLists.size()) + 1;
  for (int i = 0; i < collection.Count(); ++i) {
    NewLine(itemDepth);
    Out += "item";
    Depth = itemDepth + 1;
    WriteProperties(collection.Items(i), "");
    NewLine(itemDepth);
    Out += "end";
  }
  Depth = outerDepth;
  ListOpen = outerLists;
  Out += '>';
}
