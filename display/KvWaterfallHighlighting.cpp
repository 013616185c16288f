#include "display/KvWaterfallHighlighting.h"

const TClassInfo& TKvWaterfallHighlighting::StaticClassInfo() {
  return DefineClass<TKvWaterfallHighlighting, TKvDisplaySettings>(
      "TKvWaterfallHighlighting", [](TPublished<TKvWaterfallHighlighting>& p) {
        p.Object("MouseHitPoint", &TKvWaterfallHighlighting::MouseHitPoint);
      });
}
