#include "platform/Strings.h"

#include "platform/Published.h"

const TClassInfo& TStrings::StaticClassInfo() { return DefineClass<TStrings, TPersistent>("TStrings"); }

const std::string& TStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return Items_[static_cast<size_t>(index)];
}

void TStrings::Add(const std::string& text) {
  Items_.push_back(text);
  OnChange(this);
}

void TStrings::Clear() { SetStrings({}); }

void TStrings::SetStrings(std::vector<std::string> items) {
  if (items == Items_) return;
  Items_ = std::move(items);
  OnChange(this);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](TLayoutReader& reader) {
        std::vector<std::string> items;
        reader.ReadListBegin();
        while (!reader.EndOfList()) items.push_back(reader.ReadString());
        reader.ReadListEnd();
        SetStrings(std::move(items));
      },
      [this](TLayoutWriter& writer) {
        writer.WriteListBegin();
        for (const std::string& item : Items_) writer.WriteString(item);
        writer.WriteListEnd();
      },
      !Items_.empty());
}

void TStrings::Assign(const TPersistent& source) {
  const auto* strings = dynamic_cast<const TStrings*>(&source);
  if (!strings) return TPersistent::Assign(source);
  SetStrings(strings->Items_);
}
