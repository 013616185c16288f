#include "display/KvBasicWaterfall.h"

#include "display/KvCanvas.h"
#include "display/KvDisplayLayout.h"
#include "display/KvLabelTemplate.h"
#include "display/KvTickSteps.h"

#include <QMouseEvent>

#include <cmath>
#include <mutex>

const TClassInfo& TKvBasicWaterfall::StaticClassInfo() {
  return DefineClass<TKvBasicWaterfall, TKvDataDisplay>("TKvBasicWaterfall", [](TPublished<TKvBasicWaterfall>& p) {
    using C = TKvBasicWaterfall;
    p.Object("Title", &C::Title)
        .Object("Legend", &C::Legend)
        .Object("XAxis", &C::XAxis)
        .Object("YAxis", &C::YAxis)
        .Object("DataView", &C::DataView)
        .Object("Highlighting", &C::Highlighting)
        .Boolean("Vertical", &C::Vertical, &C::SetVertical, false)
        .Collection("MarkerGroups", &C::MarkerGroups, [](const C& c) { return c.MarkerGroups()->Count() > 0; });
  });
}

TKvBasicWaterfall::TKvBasicWaterfall(TComponent* owner)
    : TKvDataDisplay(owner),
      Title_(*this, "Waterfall"),
      Legend_(*this),
      XAxis_(*this),
      YAxis_(*this),
      DataView_(*this),
      Highlighting_(*this, this),
      History(XAxis_.Samples()) {
  Pending.reserve(size_t(XAxis_.Samples()));
  Legend_.MarkerGroups()->Bind(&MarkerGroups_);
}

// The legend outlives the marker groups it lists.
TKvBasicWaterfall::~TKvBasicWaterfall() { Legend_.MarkerGroups()->Bind(nullptr); }

void TKvBasicWaterfall::SetVertical(bool vertical) {
  if (vertical == Vertical_) return;
  Vertical_ = vertical;
  Relayout();
}

void TKvBasicWaterfall::SamplesChanged() {
  const int samples = XAxis_.Samples();
  {
    const std::lock_guard guard(Section);
    // A shorter history keeps its newest rows.
    History.SetCapacity(samples);
    if (Pending.size() > size_t(samples)) Pending.erase(Pending.begin(), Pending.end() - samples);
    Pending.reserve(size_t(samples));
    YAxis_.SetBinCount(OldestRowBins());
    // The rows that left may have held the extremes.
    RangeMoved.store(true);
    DataArrived();
  }
  Relayout();
}

void TKvBasicWaterfall::AppendRow(TRef<IKvRealBuffer> row) {
  const TLkLockSection section = DataLock().WriteLock();
  if (!section) return;
  const std::lock_guard guard(Section);
  if (IntakeHeld()) {
    if (Pending.size() == size_t(XAxis_.Samples())) Pending.erase(Pending.begin());
    Pending.push_back(std::move(row));
    return;
  }
  AddToHistory(std::move(row));
}

void TKvBasicWaterfall::AddToHistory(TRef<IKvRealBuffer> row) {
  if (History.Append(std::move(row))) RangeMoved.store(true);
  DataArrived();
}

void TKvBasicWaterfall::Reset(double rate, bool spectrum) {
  StreamRate_.store(rate);
  Spectrum.store(spectrum);
  const std::lock_guard guard(Section);
  Pending.clear();
  if (IntakeHeld()) ClearOnFlush = true;
  else History.Clear();
  RangeMoved.store(true);
  DataArrived();
}

void TKvBasicWaterfall::Flush() {
  if (IntakeHeld() || (!ClearOnFlush && Pending.empty())) return;
  if (ClearOnFlush) {
    History.Clear();
    ClearOnFlush = false;
    RangeMoved.store(true);
    DataArrived();
  }
  for (TRef<IKvRealBuffer>& row : Pending) AddToHistory(std::move(row));
  Pending.clear();
}

bool TKvBasicWaterfall::RefreshData() {
  {
    const std::lock_guard guard(Section);
    // Rows kept aside while held, or while a drag in the data view went on, join the history.
    Flush();
    if (!TakeArrivedData()) return false;
    YAxis_.SetBinCount(OldestRowBins());
  }
  // The stream's rate may have changed the bin axis's labels.
  YAxis_.InvalidateRanges();
  if (RangeMoved.exchange(false)) LevelScale().RangeChanged();
  return true;
}

double TKvBasicWaterfall::LevelMax() const {
  const TKvLevelAxis& axis = *LevelScale().Axis();
  const std::lock_guard guard(Section);
  return axis.Autoscale() && !History.Empty() ? History.Max() : axis.Max();
}

double TKvBasicWaterfall::LevelMin() const {
  const TKvLevelAxis& axis = *LevelScale().Axis();
  const std::lock_guard guard(Section);
  return axis.Autoscale() && !History.Empty() ? History.Min() : axis.Min();
}

uint64_t TKvBasicWaterfall::RowsRemoved() const {
  const std::lock_guard guard(Section);
  return History.Removed();
}

int TKvBasicWaterfall::RowCount() const {
  const std::lock_guard guard(Section);
  return History.Count();
}

int TKvBasicWaterfall::OldestRowBins() const {
  const uint32_t length = History.Empty() ? 0 : History.Row(0).Length();
  return length == 0 ? 512 : static_cast<int>(std::min<uint32_t>(length, INT32_MAX));
}

TKvWaterfallGeometry TKvBasicWaterfall::Geometry() const {
  return {XAxis_.Samples(), OldestRowBins(), Vertical_, XAxis_.Reversed()};
}

TKvWaterfallColouring TKvBasicWaterfall::Colouring() const {
  const TKvAxisDisplayLevelView& levels = LevelScale();
  TKvWaterfallColouring colouring;
  colouring.Logarithmic = levels.Axis()->ScaleMode() != TKvScaleMode::smLinear;
  colouring.Min = LevelMin();
  colouring.Max = LevelMax();
  if (colouring.Logarithmic) colouring.Min = LogScale(colouring.Min), colouring.Max = LogScale(colouring.Max);
  colouring.Grey = levels.GrayScale();
  if (!colouring.Grey) colouring.Colours = levels.Colors()->Pixels(palette());
  colouring.Background = ToQColor(Color(), palette()).rgb();
  return colouring;
}

QRectF TKvBasicWaterfall::SourceRect(const TKvWaterfallPicture& picture) const {
  const TKvWaterfallGeometry& geometry = picture.Geometry();
  const auto part = [](double min, double max, int count) {
    // Visible ends that are equal, reversed or not numbers show everything.
    if (!(max > min) || !std::isfinite(min) || !std::isfinite(max)) return std::pair<double, double>(0, count);
    return std::pair(std::clamp(min, 0.0, double(count)), std::clamp(max, 0.0, double(count)));
  };
  auto [first, last] = part(XAxis_.GetVisibleMin(), XAxis_.GetVisibleMax(), geometry.Samples);
  if (geometry.Reversed) std::tie(first, last) = std::pair(geometry.Samples - last, geometry.Samples - first);
  const auto [low, high] = part(YAxis_.GetVisibleMin(), YAxis_.GetVisibleMax(), geometry.Bins);
  if (geometry.Vertical) return {low, first, high - low, last - first};
  return {first, geometry.Bins - high, last - first, high - low};
}

void TKvBasicWaterfall::PaintPicture(TKvCanvas& canvas, TKvWaterfallDataView& view) const {
  TKvWaterfallPicture& picture = view.Picture();
  const TKvWaterfallColouring colouring = Colouring();
  {
    const std::lock_guard guard(Section);
    if (History.Empty()) return;
    picture.Update(History, Geometry(), colouring);
  }
  const TKvRect& rect = view.ViewRect();
  if (rect.IsEmpty()) return;
  // Stretched here, then copied as it is: the copy is sharp at any pixel ratio.
  const qreal ratio = canvas.Painter().device()->devicePixelRatioF();
  const QSize size = QSize(rect.Width(), rect.Height()) * ratio;
  QImage& stretched = view.Stretched();
  if (stretched.size() != size) stretched = QImage(size, QImage::Format_RGB32);
  view.Stretcher().Stretch(picture.Image(), SourceRect(picture), stretched);
  stretched.setDevicePixelRatio(ratio);
  canvas.Painter().drawImage(QPointF(rect.Left, rect.Top), stretched);
}

double TKvBasicWaterfall::ValueAt(int x, int y) const {
  const TKvRect rect = DataView_.GetRect();
  if (rect.IsEmpty() || !rect.Contains(x, y)) return NoValue;
  const TKvWaterfallPicture& picture = DataView_.Picture();
  const QRectF source = SourceRect(picture);
  const QPointF at(source.left() + (x - rect.Left + 0.5) * source.width() / rect.Width(),
                   source.top() + (y - rect.Top + 0.5) * source.height() / rect.Height());
  const std::lock_guard guard(Section);
  int row = 0, bin = 0;
  if (!picture.RowAndBinAt(at, row, bin) || row >= History.Count()) return NoValue;
  const TKvWaterfallRow& kept = History.Row(row);
  // Each row has its own length.
  if (bin >= int(kept.Length())) return NoValue;
  return kept.Buffer->GetValue(uint32_t(bin));
}

TKvHitPoint TKvBasicWaterfall::HitPointAt(int x, int y) const {
  const double along = Vertical_ ? XAxis_.GetMapping().ToValue(y) : XAxis_.GetMapping().ToValue(x);
  const double across = Vertical_ ? YAxis_.GetMapping().ToValue(x) : YAxis_.GetMapping().ToValue(y);
  return {{x, y}, {along, across}};
}

std::string TKvBasicWaterfall::HitLabel(const std::string& pattern, int x, int y) const {
  const TKvRealPoint values = HitPointAt(x, y).Values;
  return ExpandLabelTemplate(pattern.empty() ? "%X : %Y : %Z" : pattern,
                             [&](char letter) -> std::optional<std::string> {
                               switch (letter) {
                                 case 'X': return XAxis_.LabelOf(values.X);
                                 case 'Y': return YAxis_.LabelOf(values.Y);
                                 case 'Z': return LevelScale().ValueText(ValueAt(x, y));
                                 default: return std::nullopt;
                               }
                             });
}

std::string TKvBasicWaterfall::FormatHitLabel(const TKvHitPoint& point) const {
  return HitLabel(Highlighting_.MouseHitPoint()->Label()->Text(), point.Pixel.x(), point.Pixel.y());
}

void TKvBasicWaterfall::PaintHitPoint(TKvCanvas& canvas) {
  const TKvMouseHitPoint& hitPoint = *Highlighting_.MouseHitPoint();
  const QPoint mouse = MousePosition();
  const TKvRect view = DataView_.GetRect();
  if (!hitPoint.Enabled() || !MouseInside() || !view.Contains(mouse.x(), mouse.y())) return;
  const double value = ValueAt(mouse.x(), mouse.y());
  // Nothing is under the mouse where no row or bin is.
  if (value == NoValue) return;
  DrawPointLabel(canvas, HitPointAt(mouse.x(), mouse.y()), hitPoint, hitPoint.PenColor(LevelScale().ValueColor(value)));
}

void TKvBasicWaterfall::PaintContent(TKvCanvas& canvas, bool exporting, const TKvRect& region) {
  const int width = GetExportWidth(), height = GetExportHeight();
  if (TakeLayoutDirty()) LayoutViews(Views(), width, height);
  TKvClipGuard outer(canvas);
  canvas.ClipTo(region);
  canvas.SetBrush(Color());
  canvas.SetPen(clWhite);
  canvas.FillRect({0, 0, width, height});
  PaintElements(canvas.Painter(), width, height);
  PaintViews(canvas, exporting, region);
  // The markers follow the rows as the picture now shows them, scrolled or drawn whole.
  const TKvWaterfallPicture& picture = DataView_.Picture();
  MarkerGroups_.FollowRows(picture.RowsRemoved(), picture.HistoryGeneration());
  MarkerGroups_.Paint(canvas, MarkerView());
  PaintOverlays(canvas, region);
  if (!exporting) PaintHitPoint(canvas);
  if (!exporting) PaintToolBar(canvas);
  if (!exporting && hasFocus()) canvas.FocusRect({0, 0, width, height});
}

void TKvBasicWaterfall::mouseMoveEvent(QMouseEvent* event) {
  TKvDataDisplay::mouseMoveEvent(event);
  LevelScale().TrackMouse();
  const QPoint point = event->position().toPoint();
  MarkerGroups_.UpdateHover(MarkerView(), point.x(), point.y());
}

void TKvBasicWaterfall::MouseLeave() {
  MarkerGroups_.ClearHover();
  TKvDataDisplay::MouseLeave();
}

TKvWaterfallMarkerView TKvBasicWaterfall::MarkerView() const {
  return {DataView_.GetRect(),    XAxis_.GetVisibleMin(), XAxis_.GetVisibleMax(),
          YAxis_.GetVisibleMin(), YAxis_.GetVisibleMax(), Vertical_,
          XAxis_.Reversed()};
}
