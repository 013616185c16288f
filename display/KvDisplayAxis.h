#pragma once

#include "display/KvAxisToolBar.h"
#include "display/KvTextMetrics.h"
#include "display/KvTrackingOptionalAxis.h"
#include "display/KvViewSettings.h"

#include <QPoint>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// The ten range values an axis keeps: the full range it shows unzoomed (in value units), the
// visible range (the zoom window when zoomed), the full range in label units, the label values at
// its ends, and the visible range in label units.
enum class TKvAxisRange {
  FullMin,
  FullMax,
  VisibleMin,
  VisibleMax,
  UnitMin,
  UnitMax,
  TickMin,
  TickMax,
  VisibleUnitMin,
  VisibleUnitMax
};

// The axis may replace the text of the label of `value`.
using TKvCustomLabelEvent = void(TObject* axis, std::string& text, double value);

// An axis of a display: it maps its visible range onto the data view, draws its line, ticks,
// labels and caption, and holds a zoom window. Range values are computed on first use and kept
// until InvalidateRanges.
class TKvDisplayAxis : public TKvTrackingOptionalAxis {
public:
  PUBLISHED_CLASS_INFO

  // Zoom windows narrower than this are widened to it.
  static constexpr double MinZoomSpan = 0.0001;
  // Zoom windows wider than this, or with an end that is not finite, are refused.
  static constexpr double MaxZoomSpan = 1e300;

  TKvDisplayAxis(TKvDataDisplay& display, TKvViewAlign align, const std::string& caption,
                 TKvDisplayView* before = nullptr);

  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  TFont* Font() const { return const_cast<TFont*>(&Font_); }
  TKvDisplayLabel* AxisLabel() const { return const_cast<TKvDisplayLabel*>(&AxisLabel_); }
  TKvViewButtonSettings* Button() const { return const_cast<TKvViewButtonSettings*>(&Button_); }
  TKvAxisToolBar* ToolBar() const { return const_cast<TKvAxisToolBar*>(&ToolBar_); }
  bool Reversed() const { return Reversed_; }
  void SetReversed(bool reversed);
  TEvent<TKvCustomLabelEvent> OnCustomLabel;

  // The zoom window, in value units. The stored window survives a zoom off.
  bool IsZoomed() const { return Zoomed; }
  double ZoomMin() const { return ZoomMin_; }
  double ZoomMax() const { return ZoomMax_; }
  // The one way to set the zoom window: the ends sorted, a window narrower than MinZoomSpan
  // widened, the axis's limits applied. False, and nothing changed, for an end that is not finite
  // or a span above MaxZoomSpan.
  bool SetZoomRange(double minimum, double maximum);
  // Zooms the visible range by `factor` about its centre (below 1 zooms in).
  bool ZoomAxisBy(double factor);
  // The window a wheel step of `factor` with the pointer at `point` gives: the value under the
  // pointer keeps its pixel, whichever way the axis runs.
  std::pair<double, double> WheelWindow(QPoint point, double factor) const;
  void ZoomOff();
  // Never the same for two axes of one run, so a zoom snapshot tells a deleted axis from one made
  // later at its address.
  uint64_t ZoomIdentity() const { return ZoomIdentity_; }
  // How far a pan may move the visible range: where its minimum and its maximum may lie, each
  // bound only when set.
  struct TPanLimits {
    std::optional<double> MinLow, MinHigh, MaxLow, MaxHigh;
  };
  virtual TPanLimits PanLimits() const { return {}; }
  virtual bool CanZoomIn() const { return true; }
  virtual bool CanZoomOut() const { return true; }

  double GetFullMin() const { return Range(TKvAxisRange::FullMin); }
  double GetFullMax() const { return Range(TKvAxisRange::FullMax); }
  double GetVisibleMin() const { return Range(TKvAxisRange::VisibleMin); }
  double GetVisibleMax() const { return Range(TKvAxisRange::VisibleMax); }
  double GetUnitMin() const { return Range(TKvAxisRange::UnitMin); }
  double GetUnitMax() const { return Range(TKvAxisRange::UnitMax); }
  double GetTickMin() const { return Range(TKvAxisRange::TickMin); }
  double GetTickMax() const { return Range(TKvAxisRange::TickMax); }
  double GetVisibleUnitMin() const override { return Range(TKvAxisRange::VisibleUnitMin); }
  double GetVisibleUnitMax() const override { return Range(TKvAxisRange::VisibleUnitMax); }
  double Range(TKvAxisRange which) const;
  // Forgets the range values.
  virtual void InvalidateRanges();
  // Label units to value units and back; unchanged when the label range is empty.
  double ToValueUnits(double label) const;
  double ToLabelUnits(double value) const;

  // The label text of a value in label units.
  std::string LabelOf(double value) const;
  virtual std::string GetCaption() const { return AxisLabel_.Text(); }
  // Pixels between the axis's edge next to the data view and the tick line.
  virtual int GetTickOffset() const { return 3; }
  // A setting that moves ranges changed: forget them and the step, relayout.
  void Changed();

  int GetAxisPixels() const override;
  double GetSpan(bool logarithmic) const override;
  int GetLabelExtent() const override;
  double GetMinTickSpacing() const override;
  TKvAxisMapping GetMapping() const override;
  bool IsInsideExtent(int pixel) const override;
  // In a vertical display the axes lie at the other edges.
  TKvViewAlign GetAlign() const override;

  void Paint(TKvCanvas& canvas, bool exporting, bool vertical) override;
  // Keeps the step current while the axis is not painted.
  void PaintHidden(TKvCanvas&, bool) override { GetStep(); }
  void MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) override;
  void MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool& handled, bool inside, int x,
                   int y) override;
  void MouseUpAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, bool inside, int x, int y) override;
  void MouseLeaveDisplay() override;
  // The wheel over the axis zooms this axis alone.
  void WheelDown(Qt::KeyboardModifiers, int x, int y) override { WheelZoomAxis({x, y}, 1.1); }
  void WheelUp(Qt::KeyboardModifiers, int x, int y) override { WheelZoomAxis({x, y}, 0.9); }
  void CaptureLost() override { CaptionPressed = false; }

protected:
  // The range values; the full range has no default.
  virtual double ComputeRange(TKvAxisRange which) const;
  virtual double ComputeFullMin() const = 0;
  virtual double ComputeFullMax() const = 0;
  // Keeps a new zoom window within the axis's limits.
  virtual void LimitZoom() {}
  // The label of a value before OnCustomLabel sees it.
  virtual std::string FormatValue(double value) const = 0;
  // Whether the minimum is placed first and rounded to whole pixels (value axes), or the
  // maximum lies exactly at the far end (sample axes).
  virtual bool AnchoredAtMin() const = 0;
  TKvRect DataViewRect() const;
  const TKvTextMetrics& Metrics() const;
  const TKvTextMetrics& CaptionMetrics() const;
  int LabelWidth(double value) const { return Metrics().Width(LabelOf(value)); }
  int WiderEndLabel() const;
  // The fixed size, or what the labels need: the wider end label + 16 across, a line + 16 along,
  // both grown by `captionLine` + 4 with a visible caption.
  TKvViewSize MeasuredSize(int captionLine) const;
  void SetZoomWindow(double minimum, double maximum) { ZoomMin_ = minimum, ZoomMax_ = maximum; }

private:
  void WheelZoomAxis(QPoint point, double factor);
  void PaintScale(TKvCanvas& canvas, bool drawLine) const;
  void PaintTrackingMark(TKvCanvas& canvas) const;
  void PaintCaption(TKvCanvas& canvas) const;
  // Where the caption is drawn; empty when it is hidden.
  TKvRect CaptionRect() const;
  bool MouseOverDataView() const;
  bool OverCaption(int x, int y) const;

  TColor Color_ = clWhite;
  TFont Font_{KvFontName, KvFont8pt, 0, clWhite};
  TKvDisplayLabel AxisLabel_;
  TKvViewButtonSettings Button_;
  TKvAxisToolBar ToolBar_;
  bool Reversed_ = false;
  double ZoomMin_ = 0;
  double ZoomMax_ = 0;
  bool Zoomed = false;
  const uint64_t ZoomIdentity_;
  bool CaptionHovered = false;
  bool CaptionPressed = false;
  mutable std::array<double, 10> Ranges{};
  mutable unsigned ValidRanges = 0;
  mutable std::optional<TKvTextMetrics> Metrics_;
  mutable std::optional<TKvTextMetrics> CaptionMetrics_;
};
