#include "platform/ZeroFloats.h"

#include "platform/ClassInfo.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <vector>

void DefineZeroFloats(TPersistent& object, TFiler& filer) {
  std::vector<const TFloatPropertyInfo*> zeros;
  object.ClassInfo().ForEachProperty([&](const TPropertyInfo& property) {
    if (property.Kind() != TPropertyKind::Float) return;
    const auto& floating = static_cast<const TFloatPropertyInfo&>(property);
    if (floating.Get(object) == 0) zeros.push_back(&floating);
  });
  filer.DefineProperty(
      "_Floats",
      [&object](TLayoutReader& reader) {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
          reader.ReadListBegin();
          const std::string name = reader.ReadString();
          const double value = reader.ReadFloat();
          reader.ReadListEnd();
          const TPropertyInfo* property = object.ClassInfo().FindProperty(name);
          if (!property || property->Kind() != TPropertyKind::Float)
            reader.Error(object.ClassName() + " has no floating-point property " + name);
          static_cast<const TFloatPropertyInfo*>(property)->Set(object, value);
        }
        reader.ReadListEnd();
      },
      [&object, &zeros](TLayoutWriter& writer) {
        writer.WriteListBegin();
        for (const TFloatPropertyInfo* property : zeros) {
          writer.WriteListBegin();
          writer.WriteString(property->Name());
          writer.WriteFloat(property->Get(object));
          writer.WriteListEnd();
        }
        writer.WriteListEnd();
      },
      !zeros.empty());
}
