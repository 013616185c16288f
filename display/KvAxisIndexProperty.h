#pragma once

#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"
#include "platform/Persistent.h"

#include <cstdint>

// Stores an item's axes as "AxisIndex_": a list of the Y index, then the X index. An index of an
// axis not made yet is kept as it is: the item finds its axis when drawn.
template <class Item>
void DefineAxisIndexProperty(TFiler& filer, Item& item) {
  filer.DefineProperty(
      "AxisIndex_",
      [&item](TLayoutReader& reader) {
        reader.ReadListBegin();
        const int64_t y = reader.ReadInteger(0, INT32_MAX);
        const int64_t x = reader.ReadInteger(0, INT32_MAX);
        reader.ReadListEnd();
        item.SetYAxisIndex(int32_t(y));
        item.SetXAxisIndex(int32_t(x));
      },
      [&item](TLayoutWriter& writer) {
        writer.WriteListBegin();
        writer.WriteInteger(item.YAxisIndex());
        writer.WriteInteger(item.XAxisIndex());
        writer.WriteListEnd();
      },
      item.XAxisIndex() != 0 || item.YAxisIndex() != 0);
}
