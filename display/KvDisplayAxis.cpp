#include "display/KvDisplayAxis.h"

#include "display/KvDataDisplay.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

uint64_t NextZoomIdentity() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

const TClassInfo& TKvDisplayAxis::StaticClassInfo() {
  return DefineClass<TKvDisplayAxis, TKvTrackingOptionalAxis>("TKvDisplayAxis", [](TPublished<TKvDisplayAxis>& p) {
    using C = TKvDisplayAxis;
    p.Colour("Color", &C::Color, &C::SetColor, clWhite)
        .Object("Font", &C::Font)
        .Object("AxisLabel", &C::AxisLabel)
        .Object("Button", &C::Button)
        .Object("ToolBar", &C::ToolBar)
        .Boolean("Reversed", &C::Reversed, &C::SetReversed, false)
        .Event("OnCustomLabel", &C::OnCustomLabel);
  });
}

TKvDisplayAxis::TKvDisplayAxis(TKvDataDisplay& display, TKvViewAlign align, const std::string& caption,
                               TKvDisplayView* before)
    : TKvTrackingOptionalAxis(display, align, before),
      AxisLabel_(display, this, caption, KvFont10pt, fsBold),
      Button_(display, this),
      ToolBar_(display, *this),
      ZoomIdentity_(NextZoomIdentity()) {
  Font_.OnChange = [this](TObject*) {
    Metrics_.reset();
    Changed();
  };
  AxisLabel_.OnChange = [this](TObject*) {
    CaptionMetrics_.reset();
    Display().Relayout();
  };
}

void TKvDisplayAxis::SetColor(TColor color) {
  if (color == Color_) return;
  Locked([&] { Color_ = color; });
  Display().Redraw();
}

void TKvDisplayAxis::SetReversed(bool reversed) {
  if (reversed == Reversed_) return;
  Locked([&] { Reversed_ = reversed; });
  Changed();
}

void TKvDisplayAxis::Changed() {
  InvalidateRanges();
  InvalidateTicks();
}

bool TKvDisplayAxis::SetZoomRange(double minimum, double maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum)) return false;
  if (maximum < minimum) std::swap(minimum, maximum);
  if (!(maximum - minimum <= MaxZoomSpan)) return false;
  if (maximum < minimum + MinZoomSpan) maximum = minimum + MinZoomSpan;
  Locked([&] {
    SetZoomWindow(minimum, maximum);
    LimitZoom();
    Zoomed = true;
  });
  Changed();
  return true;
}

bool TKvDisplayAxis::ZoomAxisBy(double factor) {
  const double min = GetVisibleMin(), max = GetVisibleMax();
  const double span = max - min;
  const double delta = (span * factor - span) / 2;
  return SetZoomRange(min - delta, max + delta);
}

std::pair<double, double> TKvDisplayAxis::WheelWindow(QPoint point, double factor) const {
  const TKvRect view = DataViewRect();
  const bool vertical = IsVerticalLayout();
  const double a = vertical ? view.Top : view.Left, b = vertical ? view.Bottom : view.Right;
  const double half = (b - a) / 2;
  const double d = half == 0 ? 0 : ((vertical ? point.y() : point.x()) - a - half) / half;
  const double min = GetVisibleMin(), max = GetVisibleMax(), span = max - min;
  const double delta = (span * factor - span) / 2;
  const double shift = GetMapping().Direction() * (d * span / 2 - factor * d * span / 2);
  return {min - delta + shift, max + delta + shift};
}

void TKvDisplayAxis::WheelZoomAxis(QPoint point, double factor) {
  TKvDataDisplay& display = Display();
  if (!display.Zooming()->MouseWheelEnabled()) return;
  // Only the axes the display's zoom history follows (not, say, a level scale's).
  const TKvZoomAxes axes = display.ZoomAxes();
  if (std::find(axes.X.begin(), axes.X.end(), this) == axes.X.end() &&
      std::find(axes.Y.begin(), axes.Y.end(), this) == axes.Y.end())
    return;
  display.PushZoomState(true);
  const auto [min, max] = WheelWindow(point, factor);
  SetZoomRange(min, max);
  display.Redraw();
  display.FireZoomChanged(TKvZoomOperation::zoMouseWheel);
}

void TKvDisplayAxis::ZoomOff() {
  Locked([&] { Zoomed = false; });
  Changed();
}

double TKvDisplayAxis::Range(TKvAxisRange which) const {
  const unsigned bit = 1u << static_cast<unsigned>(which);
  auto& value = Ranges[static_cast<size_t>(which)];
  if (!(ValidRanges & bit)) {
    value = ComputeRange(which);
    ValidRanges |= bit;
  }
  return value;
}

void TKvDisplayAxis::InvalidateRanges() { ValidRanges = 0; }

double TKvDisplayAxis::ComputeRange(TKvAxisRange which) const {
  switch (which) {
    case TKvAxisRange::FullMin: return ComputeFullMin();
    case TKvAxisRange::FullMax: return ComputeFullMax();
    case TKvAxisRange::VisibleMin: return Zoomed ? ZoomMin_ : GetFullMin();
    case TKvAxisRange::VisibleMax: return Zoomed ? ZoomMax_ : GetFullMax();
    case TKvAxisRange::UnitMin: return GetFullMin();
    case TKvAxisRange::UnitMax: return GetFullMax();
    case TKvAxisRange::TickMin: return GetUnitMin();
    case TKvAxisRange::TickMax: return GetUnitMax();
    case TKvAxisRange::VisibleUnitMin:
    case TKvAxisRange::VisibleUnitMax: {
      const bool minimum = which == TKvAxisRange::VisibleUnitMin;
      const double visible = minimum ? GetVisibleMin() : GetVisibleMax();
      const double full = GetFullMax() - GetFullMin();
      if (full == 0) return minimum ? visible - 1 : visible + 1;
      return (GetUnitMax() - GetUnitMin()) * visible / full;
    }
  }
  return 0;
}

double TKvDisplayAxis::ToValueUnits(double label) const {
  const double units = GetUnitMax() - GetUnitMin();
  return units == 0 ? label : label * (GetFullMax() - GetFullMin()) / units;
}

double TKvDisplayAxis::ToLabelUnits(double value) const {
  const double full = GetFullMax() - GetFullMin();
  const double units = GetUnitMax() - GetUnitMin();
  return units == 0 || full == 0 ? value : value * units / full;
}

std::string TKvDisplayAxis::LabelOf(double value) const {
  std::string text = FormatValue(value);
  if (OnCustomLabel) OnCustomLabel(const_cast<TKvDisplayAxis*>(this), text, value);
  return text;
}

const TKvTextMetrics& TKvDisplayAxis::Metrics() const {
  if (!Metrics_) Metrics_.emplace(Font_);
  return *Metrics_;
}

const TKvTextMetrics& TKvDisplayAxis::CaptionMetrics() const {
  if (!CaptionMetrics_) CaptionMetrics_.emplace(*AxisLabel_.Font());
  return *CaptionMetrics_;
}

int TKvDisplayAxis::WiderEndLabel() const {
  return std::max(LabelWidth(GetVisibleUnitMin()), LabelWidth(GetVisibleUnitMax()));
}

TKvViewSize TKvDisplayAxis::MeasuredSize(int captionLine) const {
  const TKvDisplayViewSize& fixed = *ViewSize();
  if (!fixed.AutoSize()) return {static_cast<int>(fixed.Size()), static_cast<int>(fixed.Size())};
  TKvViewSize size{WiderEndLabel() + 16, Metrics().Height() + 16};
  if (AxisLabel_.Visible()) {
    size.Cx += captionLine + 4;
    size.Cy += captionLine + 4;
  }
  return size;
}

TKvRect TKvDisplayAxis::DataViewRect() const {
  const TKvDisplayView* view = Display().GetDataView();
  return view ? view->ViewRect() : TKvRect{};
}

int TKvDisplayAxis::GetAxisPixels() const {
  const TKvRect area = DataViewRect();
  return std::max(IsVerticalLayout() ? area.Height() - 2 : area.Width() - 1, 0);
}

double TKvDisplayAxis::GetSpan(bool logarithmic) const {
  const double min = GetVisibleUnitMin(), max = GetVisibleUnitMax();
  return logarithmic ? LogScale(max) - LogScale(min) : max - min;
}

int TKvDisplayAxis::GetLabelExtent() const { return IsVerticalLayout() ? Metrics().Height() : WiderEndLabel(); }

double TKvDisplayAxis::GetMinTickSpacing() const {
  if (GetScaleMode() == TKvScaleMode::smLogDecascale) return 1;
  const int spacing = IsVerticalLayout() ? Metrics().Height() + 4 : LabelWidth(GetVisibleUnitMax()) + 8;
  return std::max(spacing, 20);
}

TKvAxisMapping TKvDisplayAxis::GetMapping() const {
  const TKvRect area = DataViewRect();
  const bool logarithmic = GetScaleMode() != TKvScaleMode::smLinear;
  double min = GetVisibleUnitMin(), max = GetVisibleUnitMax();
  if (logarithmic) min = LogScale(min), max = LogScale(max);
  const int pixels = GetAxisPixels();
  int first = area.Left, direction = 1;
  if (IsVerticalLayout()) {
    // Values rise upwards from the bottom; samples run down from the top.
    first = AnchoredAtMin() ? area.Bottom - 1 : area.Top;
    direction = AnchoredAtMin() ? -1 : 1;
  }
  if (Reversed_) {
    first += direction * pixels;
    direction = -direction;
  }
  return TKvAxisMapping::Make(min, max, first, pixels, direction, AnchoredAtMin(), logarithmic);
}

bool TKvDisplayAxis::IsInsideExtent(int pixel) const {
  const TKvRect area = DataViewRect();
  return IsVerticalLayout() ? pixel >= area.Top && pixel < area.Bottom : pixel >= area.Left && pixel < area.Right;
}

TKvViewAlign TKvDisplayAxis::GetAlign() const {
  const TKvViewAlign align = Align();
  if (!Display().IsVertical()) return align;
  switch (align) {
    case TKvViewAlign::vaBottom: return TKvViewAlign::vaLeft;
    case TKvViewAlign::vaLeft: return TKvViewAlign::vaBottom;
    case TKvViewAlign::vaRight: return TKvViewAlign::vaTop;
    case TKvViewAlign::vaTop: return TKvViewAlign::vaRight;
    default: return align;
  }
}

bool TKvDisplayAxis::MouseOverDataView() const {
  const TKvDisplayView* view = Display().GetDataView();
  const QPoint mouse = Display().MousePosition();
  return Display().MouseInside() && view && view->GetRect().Contains(mouse.x(), mouse.y());
}

bool TKvDisplayAxis::OverCaption(int x, int y) const {
  return Button_.Enabled() && IsActive() && CaptionRect().Contains(x, y);
}

void TKvDisplayAxis::MouseMoveAt(Qt::KeyboardModifiers shift, int x, int y, bool& handled) {
  TKvTrackingOptionalAxis::MouseMoveAt(shift, x, y, handled);
  const bool over = OverCaption(x, y);
  if (over == CaptionHovered) return;
  CaptionHovered = over;
  if (over) Display().ChangeCursor(Button_.Cursor());
  else Display().RestoreCursor();
  InvalidateView();
}

void TKvDisplayAxis::MouseDownAt(Qt::MouseButton button, Qt::KeyboardModifiers, bool& handled, bool, int x, int y) {
  if (handled || button != Qt::LeftButton || !OverCaption(x, y)) return;
  CaptionPressed = true;
  handled = true;
  InvalidateView();
  Display().ShowAxisProperties(Display().GetAxisIndex(this));
}

void TKvDisplayAxis::MouseUpAt(Qt::MouseButton, Qt::KeyboardModifiers, bool, int, int) {
  if (!CaptionPressed) return;
  CaptionPressed = false;
  InvalidateView();
}

void TKvDisplayAxis::MouseLeaveDisplay() {
  TKvTrackingOptionalAxis::MouseLeaveDisplay();
  if (!CaptionHovered) return;
  CaptionHovered = false;
  Display().RestoreCursor();
}
