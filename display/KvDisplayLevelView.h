#pragma once

#include "display/KvLevelAxis.h"
#include "display/KvLevelColors.h"
#include "display/KvLevelDisplayColors.h"
#include "display/KvTrackingOptionalAxis.h"
#include "display/KvViewSettings.h"

#include <functional>
#include <optional>
#include <string>

// What the display a level scale belongs to tells it: the data's largest and smallest value, and
// the value under a pixel of its data view.
struct TKvLevelSource {
  std::function<double()> Max;
  std::function<double()> Min;
  std::function<double(int x, int y)> ValueAt;
};

// A level scale: the colours that stand for values. With GrayScale it is grey; with two or more
// Colors it runs through them; otherwise it is the built-in palette.
class TKvBasicLevelDisplayLevelView : public TKvTrackingOptionalAxis {
public:
  PUBLISHED_CLASS_INFO

  TKvBasicLevelDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before = nullptr);

  int BarWidth() const { return BarWidth_; }
  void SetBarWidth(int width);
  bool GrayScale() const { return GrayScale_; }
  void SetGrayScale(bool grey);
  TKvLevelDisplayColors* Colors() const { return const_cast<TKvLevelDisplayColors*>(&Colors_); }

  // The picture's colour of `offset` within `range`: a single configured colour counts for none.
  QRgb PixelColor(double range, double offset) const;
  // The colour the scale's bar and the hit point are drawn in: a single configured colour is
  // scaled, and an empty range shows the middle of the palette.
  QRgb Colour(double range, double offset) const;
  // The picture's colours, to colour many values with.
  TKvLevelColorTable ColorTable() const;

protected:
  const TKvLevelSource& Source() const { return Source_; }

private:
  TKvLevelSource Source_;
  int BarWidth_ = 14;
  bool GrayScale_ = false;
  TKvLevelDisplayColors Colors_;
};

// A level scale with an axis of values beside its bar, and a line at the value under the mouse.
class TKvAxisDisplayLevelView : public TKvBasicLevelDisplayLevelView {
public:
  PUBLISHED_CLASS_INFO

  TKvAxisDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before = nullptr);

  TKvLevelAxis* Axis() const { return const_cast<TKvLevelAxis*>(&Axis_); }
  // The range the colours span: the data's when it follows the data, else the axis's ends.
  double Maximum() const { return Source().Max(); }
  double Minimum() const { return Source().Min(); }
  // A value as the axis labels it.
  std::string ValueText(double value) const;
  // Where `value` lies on the scale: 0 at the minimum, 1 at the maximum, beyond them outside
  // that; an empty range counts as one wide.
  double Fraction(double value) const;
  // The colour the bar shows for `value`, the ends for values beyond them.
  TColor ValueColor(double value) const;
  // The value the tracking line marks.
  double TrackedValue() const { return TrackedValue_; }
  // The display's range moved, or the mouse moved over its data view: repaint, and follow the
  // value under the mouse.
  void RangeChanged();
  void TrackMouse();

  TKvScaleMode GetScaleMode() const override { return Axis_.ScaleMode(); }
  bool IsVerticalLayout() const override;
  int GetAxisPixels() const override;
  double GetSpan(bool logarithmic) const override;
  int GetLabelExtent() const override;
  double GetMinTickSpacing() const override;
  TKvAxisMapping GetMapping() const override;
  double GetVisibleUnitMin() const override { return Minimum(); }
  double GetVisibleUnitMax() const override { return Maximum(); }
  bool IsInsideExtent(int pixel) const override;

protected:
  // The bar's length: one less than the data view's extent along the scale.
  int BarLength() const;
  TKvRect DataViewRect() const;
  bool MouseOverDataView() const;
  const TKvTextMetrics& Metrics() const;
  // The wider label of the two ends.
  int WiderEndLabel() const;

private:
  TKvLevelAxis Axis_;
  double TrackedValue_ = -10000000;
  mutable std::optional<TKvTextMetrics> Metrics_;
};

// A level scale with a caption.
class TKvDisplayLevelView : public TKvAxisDisplayLevelView {
public:
  PUBLISHED_CLASS_INFO

  TKvDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before = nullptr);

  TKvDisplayLabel* LevelLabel() const { return const_cast<TKvDisplayLabel*>(&LevelLabel_); }

  // Across its edge: the bar + 4, the wider end label + 9 (or a line + 2 along a top or bottom
  // edge), the caption's line + 2; all that is left along it.
  TKvViewSize GetSize() const override;
  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;

private:
  void PaintTrackingLine(TKvCanvas& canvas) const;
  void PaintBar(TKvCanvas& canvas) const;
  void PaintAxis(TKvCanvas& canvas) const;
  void PaintCaption(TKvCanvas& canvas) const;
  // Distance from the edge that faces the data view, turned into a coordinate across the view.
  int Across(int distance) const;
  bool Vertical() const { return IsVerticalLayout(); }

  TKvDisplayLabel LevelLabel_;
  mutable std::optional<TKvTextMetrics> CaptionMetrics_;
};

// The waterfall's level scale, with the button look of its caption.
class TKvWaterfallDisplayLevelView : public TKvDisplayLevelView {
public:
  PUBLISHED_CLASS_INFO

  TKvWaterfallDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before = nullptr);

  TKvViewButtonSettings* Button() const { return const_cast<TKvViewButtonSettings*>(&Button_); }

private:
  TKvViewButtonSettings Button_;
};
