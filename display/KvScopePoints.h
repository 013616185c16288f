#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplaySettings.h"
#include "platform/Pen.h"
#include "platform/Published.h"

#include <cstdint>

// The mark drawn at every point of a channel.
enum class TKvScopePointShape { psCircle, psSquare, psDiamond, psPlus, psCross, psStar };
const TEnumNames<TKvScopePointShape>& PointShapeNames();

// A channel's points: whether they are marked, with which shape and half size, and in the
// channel's colour or a pen and brush of their own. Older layouts stored one colour for both.
class TKvScopePoints : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopePoints(TKvDataDisplay& display, TPersistent* owner);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TKvScopePointShape Shape() const { return Shape_; }
  void SetShape(TKvScopePointShape shape) { Update(Shape_, shape); }
  // Half the mark's size in pixels; 0 is taken as 1.
  uint32_t Size() const { return Size_; }
  void SetSize(uint32_t size) { Update(Size_, size == 0 ? 1u : size); }
  bool UseChannelColor() const { return UseChannelColor_; }
  void SetUseChannelColor(bool use) { Update(UseChannelColor_, use); }
  TPen* Pen() const { return const_cast<TPen*>(&Pen_); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }

  void DefineProperties(TFiler& filer) override;

private:
  bool Visible_ = false;
  TKvScopePointShape Shape_ = TKvScopePointShape::psCircle;
  uint32_t Size_ = 3;
  bool UseChannelColor_ = true;
  TPen Pen_{clRed};
  TKvBrush Brush_{clRed};
};
