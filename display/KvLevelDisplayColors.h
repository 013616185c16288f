#pragma once

#include "platform/Collection.h"
#include "platform/Colors.h"

#include <QPalette>
#include <QRgb>

#include <vector>

class TKvDataDisplay;

// A colour of a level scale.
class TKvLevelDisplayColor : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  // Starts with the colour of the scale's palette that the other colours use least.
  explicit TKvLevelDisplayColor(TCollection& collection);

  TColor Color() const { return Color_; }
  void SetColor(TColor color);

private:
  TColor Color_;
};

// The colours of a level scale, low end first. Any change repaints the display.
class TKvLevelDisplayColors : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvLevelDisplayColors(TKvDataDisplay& display, TPersistent* owner);

  TKvDataDisplay& Display() const { return Display_; }
  TKvLevelDisplayColor& ColorAt(int index) const { return static_cast<TKvLevelDisplayColor&>(Items(index)); }
  // Every colour as a pixel, system colours resolved through `palette`.
  std::vector<QRgb> Pixels(const QPalette& palette) const;

protected:
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvDataDisplay& Display_;
};
