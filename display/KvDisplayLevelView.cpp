#include "display/KvDisplayLevelView.h"

#include "display/KvDataDisplay.h"
#include "display/KvTickSteps.h"
#include "platform/Published.h"

#include <algorithm>
#include <cmath>

const TClassInfo& TKvBasicLevelDisplayLevelView::StaticClassInfo() {
  return DefineClass<TKvBasicLevelDisplayLevelView, TKvTrackingOptionalAxis>(
      "TKvBasicLevelDisplayLevelView", [](TPublished<TKvBasicLevelDisplayLevelView>& p) {
        using C = TKvBasicLevelDisplayLevelView;
        p.Integer("BarWidth", &C::BarWidth, &C::SetBarWidth, 14)
            .Boolean("GrayScale", &C::GrayScale, &C::SetGrayScale, false)
            .Collection("Colors", &C::Colors);
      });
}

TKvBasicLevelDisplayLevelView::TKvBasicLevelDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source,
                                                             TKvDisplayView* before)
    : TKvTrackingOptionalAxis(display, TKvViewAlign::vaRight, before),
      Source_(std::move(source)),
      Colors_(display, this) {}

void TKvBasicLevelDisplayLevelView::SetBarWidth(int width) {
  if (width == BarWidth_) return;
  Locked([&] { BarWidth_ = width; });
  Display().Relayout();
}

void TKvBasicLevelDisplayLevelView::SetGrayScale(bool grey) {
  if (grey == GrayScale_) return;
  Locked([&] { GrayScale_ = grey; });
  Display().Redraw();
}

TKvLevelColorTable TKvBasicLevelDisplayLevelView::ColorTable() const {
  return {GrayScale_, Colors_.Pixels(Display().palette())};
}

QRgb TKvBasicLevelDisplayLevelView::PixelColor(double range, double offset) const {
  return ColorTable().Pixel(range, offset);
}

QRgb TKvBasicLevelDisplayLevelView::Colour(double range, double offset) const {
  if (GrayScale_) return GreyLevelColor(range, offset);
  const std::vector<QRgb> colours = Colors_.Pixels(Display().palette());
  if (colours.size() == 1) return ScaledLevelColor(colours.front(), range, offset);
  if (colours.size() > 1) return InterpolatedLevelColor(colours, range, offset);
  // An empty range shows the middle of the palette.
  return BuiltInLevelColor(range == 0 ? TKvLevelColorTable::PaletteSteps / 2 : BuiltInLevelIndex(range, offset));
}

const TClassInfo& TKvAxisDisplayLevelView::StaticClassInfo() {
  return DefineClass<TKvAxisDisplayLevelView, TKvBasicLevelDisplayLevelView>(
      "TKvAxisDisplayLevelView",
      [](TPublished<TKvAxisDisplayLevelView>& p) { p.Object("Axis", &TKvAxisDisplayLevelView::Axis); });
}

TKvAxisDisplayLevelView::TKvAxisDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before)
    : TKvBasicLevelDisplayLevelView(display, std::move(source), before), Axis_(display, this) {
  Axis_.OnChange = [this](TObject*) {
    Metrics_.reset();
    InvalidateTicks();
  };
}

std::string TKvAxisDisplayLevelView::ValueText(double value) const {
  std::string text = Axis_.ValueText(value, Minimum(), Maximum());
  if (Axis_.OnCustomLabel) Axis_.OnCustomLabel(const_cast<TKvLevelAxis*>(&Axis_), text, value);
  return text;
}

void TKvAxisDisplayLevelView::RangeChanged() {
  Display().Relayout();
  TrackMouse();
}

double TKvAxisDisplayLevelView::Fraction(double value) const {
  const bool logarithmic = GetScaleMode() != TKvScaleMode::smLinear;
  const auto scaled = [logarithmic](double v) { return logarithmic ? LogScale(v) : v; };
  double range = scaled(Maximum()) - scaled(Minimum());
  if (range == 0) range = 1;
  return (scaled(value) - scaled(Minimum())) / range;
}

TColor TKvAxisDisplayLevelView::ValueColor(double value) const {
  const double fraction = Fraction(value);
  // What is not a number counts as the low end.
  return ToCanvasColor(Colour(1, fraction > 0 ? std::min(fraction, 1.0) : 0));
}

void TKvAxisDisplayLevelView::TrackMouse() {
  if (!TrackCursor() || !MouseOverDataView() || !Source().ValueAt) return;
  const QPoint mouse = Display().MousePosition();
  const double value = Source().ValueAt(mouse.x(), mouse.y());
  if (value == TrackedValue_) return;
  TrackedValue_ = value;
  InvalidateView();
}

TKvRect TKvAxisDisplayLevelView::DataViewRect() const {
  const TKvDisplayView* view = Display().GetDataView();
  return view ? view->ViewRect() : TKvRect{};
}

bool TKvAxisDisplayLevelView::MouseOverDataView() const {
  const TKvDisplayView* view = Display().GetDataView();
  const QPoint mouse = Display().MousePosition();
  return Display().MouseInside() && view && view->GetRect().Contains(mouse.x(), mouse.y());
}

const TKvTextMetrics& TKvAxisDisplayLevelView::Metrics() const {
  if (!Metrics_) Metrics_.emplace(*Axis_.Font());
  return *Metrics_;
}

int TKvAxisDisplayLevelView::WiderEndLabel() const {
  return std::max(Metrics().Width(ValueText(Maximum())), Metrics().Width(ValueText(Minimum())));
}

bool TKvAxisDisplayLevelView::IsVerticalLayout() const {
  const TKvViewAlign align = GetAlign();
  return align == TKvViewAlign::vaLeft || align == TKvViewAlign::vaRight;
}

int TKvAxisDisplayLevelView::BarLength() const {
  const TKvRect area = DataViewRect();
  return std::max((IsVerticalLayout() ? area.Height() : area.Width()) - 1, 0);
}

int TKvAxisDisplayLevelView::GetAxisPixels() const { return BarLength(); }

double TKvAxisDisplayLevelView::GetSpan(bool logarithmic) const {
  const double min = Minimum(), max = Maximum();
  return logarithmic ? LogScale(max) - LogScale(min) : max - min;
}

int TKvAxisDisplayLevelView::GetLabelExtent() const {
  return IsVerticalLayout() ? Metrics().Height() : WiderEndLabel();
}

double TKvAxisDisplayLevelView::GetMinTickSpacing() const {
  if (GetScaleMode() == TKvScaleMode::smLogDecascale) return 1;
  const int spacing = IsVerticalLayout() ? Metrics().Height() + 4 : Metrics().Width(ValueText(Maximum())) + 8;
  return std::max(spacing, 20);
}

TKvAxisMapping TKvAxisDisplayLevelView::GetMapping() const {
  const TKvRect area = DataViewRect();
  const bool logarithmic = GetScaleMode() != TKvScaleMode::smLinear;
  double min = Minimum(), max = Maximum();
  if (logarithmic) min = LogScale(min), max = LogScale(max);
  const int length = BarLength();
  // The minimum at the bar's low end: the bottom of an upright bar, the left of a lying one.
  if (IsVerticalLayout()) return TKvAxisMapping::Make(min, max, area.Top + length, length, -1, true, logarithmic);
  return TKvAxisMapping::Make(min, max, area.Left, length, 1, true, logarithmic);
}

bool TKvAxisDisplayLevelView::IsInsideExtent(int pixel) const {
  const TKvRect area = DataViewRect();
  const int first = IsVerticalLayout() ? area.Top : area.Left;
  return pixel >= first && pixel <= first + BarLength();
}

const TClassInfo& TKvDisplayLevelView::StaticClassInfo() {
  return DefineClass<TKvDisplayLevelView, TKvAxisDisplayLevelView>(
      "TKvDisplayLevelView",
      [](TPublished<TKvDisplayLevelView>& p) { p.Object("LevelLabel", &TKvDisplayLevelView::LevelLabel); });
}

TKvDisplayLevelView::TKvDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source, TKvDisplayView* before)
    : TKvAxisDisplayLevelView(display, std::move(source), before),
      LevelLabel_(display, this, "Levels", KvFont10pt, fsBold) {
  LevelLabel_.OnChange = [this](TObject*) {
    CaptionMetrics_.reset();
    Display().Relayout();
  };
}

TKvViewSize TKvDisplayLevelView::GetSize() const {
  const TKvDisplayViewSize& fixed = *ViewSize();
  int across = static_cast<int>(fixed.Size());
  if (fixed.AutoSize()) {
    across = BarWidth() + 4;
    if (Axis()->Visible()) across += Vertical() ? WiderEndLabel() + 9 : Metrics().Height() + 2;
    if (LevelLabel_.Visible()) {
      if (!CaptionMetrics_) CaptionMetrics_.emplace(*LevelLabel_.Font());
      across += CaptionMetrics_->Height() + 2;
    }
    if (!Axis()->Visible() && !LevelLabel_.Visible()) across += 2;
  }
  return Vertical() ? TKvViewSize{across, -1} : TKvViewSize{-1, across};
}

const TClassInfo& TKvWaterfallDisplayLevelView::StaticClassInfo() {
  return DefineClass<TKvWaterfallDisplayLevelView, TKvDisplayLevelView>(
      "TKvWaterfallDisplayLevelView",
      [](TPublished<TKvWaterfallDisplayLevelView>& p) { p.Object("Button", &TKvWaterfallDisplayLevelView::Button); });
}

TKvWaterfallDisplayLevelView::TKvWaterfallDisplayLevelView(TKvDataDisplay& display, TKvLevelSource source,
                                                           TKvDisplayView* before)
    : TKvDisplayLevelView(display, std::move(source), before), Button_(display, this) {}
