#pragma once

#include "platform/Colors.h"
#include "platform/Event.h"
#include "platform/Persistent.h"
#include "platform/Published.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How a pen's colour meets what is already drawn.
enum class TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

// The names layouts store pen modes and styles by.
const TEnumNames<TPenMode>& PenModeNames();
const TEnumNames<TPenStyle>& PenStyleNames();

// A pen as layouts store it: colour, mode, style and width in pixels. Its colour is stored where it
// differs from the one the pen was made with.
class TPen : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  TPen() = default;
  explicit TPen(TColor color) : DefaultColor(color), Color_(color) {}

  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  TPenMode Mode() const { return Mode_; }
  void SetMode(TPenMode mode);
  TPenStyle Style() const { return Style_; }
  void SetStyle(TPenStyle style);
  int Width() const { return Width_; }
  // Below 1 is taken as 1, as a drawn line is never thinner than a pixel.
  void SetWidth(int width);

  void Assign(const TPersistent& source) override;

  // Every change, whoever makes it.
  TEvent<TNotifyEvent> OnChange;

private:
  void Changed() { OnChange(this); }

  TColor DefaultColor = clBlack;
  TColor Color_ = clBlack;
  TPenMode Mode_ = TPenMode::pmCopy;
  TPenStyle Style_ = TPenStyle::psSolid;
  int Width_ = 1;
};
