#include "display/KvDataChart.h"

#include "display/KvCanvas.h"
#include "display/KvDisplayLayout.h"
#include "display/KvLabelTemplate.h"

#include <cmath>

const TClassInfo& TKvDataChart::StaticClassInfo() {
  return DefineClass<TKvDataChart, TKvDataDisplay>("TKvDataChart", [](TPublished<TKvDataChart>& p) {
    using C = TKvDataChart;
    p.Boolean("CursorsStayInView", &C::CursorsStayInView, &C::SetCursorsStayInView, true)
        .Object("Title", &C::Title)
        .Object("Legend", &C::Legend)
        .Object("XAxis", &C::XAxis)
        .Object("YAxis", &C::YAxis)
        .Object("DataView", &C::DataView)
        .Object("Trails", &C::Trails)
        .Object("Highlighting", &C::Highlighting);
  });
}

TKvDataChart::TKvDataChart(TComponent* owner)
    : TKvDataDisplay(owner),
      Trails_(*this, this),
      Title_(*this, "Scope"),
      Highlighting_(*this, this),
      Legend_(*this),
      XAxis_(*this),
      YAxis_(*this),
      DataView_(*this) {}

void TKvDataChart::SetCursorsStayInView(bool stay) {
  if (stay == CursorsStayInView_) return;
  CursorsStayInView_ = stay;
  Redraw();
}

bool TKvDataChart::GetChannelRange(const TKvBasicScopeYAxis&, double&, double&) const { return false; }

double TKvDataChart::GetFrequencyMax() const {
  if (!TimeRangesValid) {
    const double rate = GetSampleRate();
    FrequencyMax = rate / 2 / std::pow(10.0, XAxis_.FrequencyExponent());
    // Without a rate there is no time to show.
    TimeMax = rate > 0 ? (XAxis_.Samples() - 1) / rate * std::pow(10.0, XAxis_.TimeExponent()) : 0;
    TimeRangesValid = true;
  }
  return FrequencyMax;
}

double TKvDataChart::GetTimeMax() const {
  GetFrequencyMax();
  return TimeMax;
}

void TKvDataChart::ForEachYAxis(const std::function<void(TKvBasicScopeYAxis&)>& visit) {
  visit(YAxis_);
  for (int i = 0; i < YAxis_.AdditionalAxes()->Count(); ++i) visit(YAxis_.AdditionalAxes()->AxisAt(i));
}

void TKvDataChart::InvalidateRanges() {
  TimeRangesValid = false;
  XAxis_.InvalidateRanges();
  for (int i = 0; i < XAxis_.AdditionalAxes()->Count(); ++i) XAxis_.AdditionalAxes()->AxisAt(i).InvalidateRanges();
  ForEachYAxis([](TKvBasicScopeYAxis& axis) { axis.InvalidateRanges(); });
}

TKvBasicScopeXAxis* TKvDataChart::GetXAxisByIndex(int index) const {
  if (index == 0) return XAxis();
  const TKvAdditionalXAxes& more = *XAxis_.AdditionalAxes();
  return index > 0 && index <= more.Count() ? &more.AxisAt(index - 1) : nullptr;
}

TKvBasicScopeYAxis* TKvDataChart::GetYAxisByIndex(int index) const {
  if (index == 0) return YAxis();
  const TKvAdditionalYAxes& more = *YAxis_.AdditionalAxes();
  return index > 0 && index <= more.Count() ? &more.AxisAt(index - 1) : nullptr;
}

TKvZoomAxes TKvDataChart::ZoomAxes() const {
  TKvZoomAxes axes;
  for (int i = 0; i <= XAxis_.AdditionalAxes()->Count(); ++i) axes.X.push_back(GetXAxisByIndex(i));
  for (int i = 0; i <= YAxis_.AdditionalAxes()->Count(); ++i) axes.Y.push_back(GetYAxisByIndex(i));
  return axes;
}

int TKvDataChart::GetAxisIndex(const TKvDisplayView* axis) const {
  const int moreX = XAxis_.AdditionalAxes()->Count();
  for (int i = 0; i <= moreX; ++i)
    if (GetXAxisByIndex(i) == axis) return i;
  for (int i = 0; i <= YAxis_.AdditionalAxes()->Count(); ++i)
    if (GetYAxisByIndex(i) == axis) return moreX + 1 + i;
  return 0;
}

std::string TKvDataChart::FormatLabel(const std::string& pattern, const std::string& defaultPattern,
                                      const std::string& valueText, double x, double y) const {
  return ExpandLabelTemplate(pattern.empty() ? defaultPattern : pattern,
                             [&](char letter) -> std::optional<std::string> {
                               switch (letter) {
                                 case 'X': return XAxis_.LabelOf(x);
                                 case 'Y': return YAxis_.LabelOf(y);
                                 case 'D': return valueText;
                                 default: return std::nullopt;
                               }
                             });
}

std::string TKvDataChart::FormatHitLabel(const TKvHitPoint& point) const {
  return FormatLabel(Highlighting_.MouseHitPoint()->Label()->Text(), "%X : %Y", "", point.Values.X, point.Values.Y);
}

bool TKvDataChart::RefreshData() {
  if (IntakeHeld()) return false;
  const bool committed = CommitData();
  XAxis_.SetSamples(LargestSampleCount());
  if (!committed) return LayoutDirty();
  InvalidateRanges();
  ForEachYAxis([](TKvBasicScopeYAxis& axis) { axis.RecordAutoScaling(); });
  Relayout();
  return true;
}

void TKvDataChart::PaintContent(TKvCanvas& canvas, bool exporting, const TKvRect& region) {
  const int width = GetExportWidth(), height = GetExportHeight();
  const bool relaid = TakeLayoutDirty();
  if (relaid) LayoutViews(Views(), width, height);
  TKvClipGuard outer(canvas);
  canvas.ClipTo(region);
  canvas.SetBrush(Color());
  canvas.SetPen(clWhite);
  canvas.FillRect({0, 0, width, height});
  PaintElements(canvas.Painter(), width, height);

  const TKvRect data = DataView_.GetRect();
  TKvRect work = data;
  work.Bottom -= 1;
  const auto slot = [&](const auto& paint, bool clipToData) {
    TKvClipGuard guard(canvas);
    if (clipToData) canvas.ClipTo(data);
    paint();
  };
  slot([&] { PaintBehindChannels(canvas, work); }, false);
  PaintViews(canvas, exporting, region);
  if (data.Intersects(region)) slot([&] { PaintChannels(canvas, work); }, true);
  if (relaid) UpdateHighlighting();
  PaintOverlays(canvas, region);
  slot([&] { PaintOverChannels(canvas, work); }, false);
  if (!exporting) slot([&] { PaintHitPoint(canvas); }, false);
  if (!exporting) slot([&] { PaintToolBar(canvas); }, false);
  // The focus is part of the window, not of the picture: copies and prints leave it out.
  if (!exporting && hasFocus()) canvas.FocusRect({0, 0, width, height});
}
