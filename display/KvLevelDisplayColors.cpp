#include "display/KvLevelDisplayColors.h"

#include "display/KvDataDisplay.h"
#include "platform/Published.h"

#include <array>
#include <climits>

namespace {

constexpr TColor Cream = 0xF0FBFF;
// The order new colours are taken in (aqua twice, as the scale has always listed it).
constexpr std::array<TColor, 15> NewColors = {clBlack, clBlue,   clLime,   clYellow,  clRed,  clAqua, Cream, clOlive,
                                              clWhite, clSilver, clPurple, clFuchsia, clAqua, clTeal, clNavy};

TColor LeastUsedColor(const TKvLevelDisplayColors& colors) {
  TColor chosen = NewColors.front();
  int fewest = INT_MAX;
  for (const TColor candidate : NewColors) {
    int uses = 0;
    for (int i = 0; i < colors.Count(); ++i) uses += colors.ColorAt(i).Color() == candidate;
    if (uses < fewest) fewest = uses, chosen = candidate;
  }
  return chosen;
}

}  // namespace

const TClassInfo& TKvLevelDisplayColor::StaticClassInfo() {
  return DefineClass<TKvLevelDisplayColor, TLkExtCollectionItem>(
      "TKvLevelDisplayColor", [](TPublished<TKvLevelDisplayColor>& p) {
        p.Colour("Color", &TKvLevelDisplayColor::Color, &TKvLevelDisplayColor::SetColor);
      });
}

TKvLevelDisplayColor::TKvLevelDisplayColor(TCollection& collection)
    : TLkExtCollectionItem(collection), Color_(LeastUsedColor(static_cast<TKvLevelDisplayColors&>(collection))) {}

void TKvLevelDisplayColor::SetColor(TColor color) {
  if (color == Color_) return;
  auto& colors = static_cast<TKvLevelDisplayColors&>(*Collection());
  const TLkLockSection section = colors.Display().DataLock().WriteLock();
  if (!section) return;
  Color_ = color;
  colors.Display().Redraw();
}

const TClassInfo& TKvLevelDisplayColors::StaticClassInfo() {
  return DefineClass<TKvLevelDisplayColors, TLkExtCollection>("TKvLevelDisplayColors");
}

TKvLevelDisplayColors::TKvLevelDisplayColors(TKvDataDisplay& display, TPersistent* owner)
    : TLkExtCollection(owner, ItemsOf<TKvLevelDisplayColor>()), Display_(display) {}

std::vector<QRgb> TKvLevelDisplayColors::Pixels(const QPalette& palette) const {
  std::vector<QRgb> pixels;
  for (int i = 0; i < Count(); ++i) pixels.push_back(ToQColor(ColorAt(i).Color(), palette).rgb());
  return pixels;
}

void TKvLevelDisplayColors::Notify(TCollectionItem& item, TCollectionNotification action) {
  TLkExtCollection::Notify(item, action);
  Display_.Redraw();
}
