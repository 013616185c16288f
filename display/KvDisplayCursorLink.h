#pragma once

#include "display/KvBrush.h"
#include "display/KvDisplayCursor.h"
#include "display/KvDisplaySettings.h"
#include "display/KvViewSettings.h"
#include "platform/Pen.h"

class TKvDisplayCursorLink;

// Where a cursor link's measurement line runs, as a percentage of the view from -100 to 100 (0 the
// middle): `X` places the line between two Y lines across the view, `Y` the line between two X
// lines; its pen and its label, whose template knows %V (the difference) and %%.
class TKvScopeMeasurementLine : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeMeasurementLine(TKvDataDisplay& display, TPersistent* owner);

  double X() const { return X_; }
  // Clamped to -100 … 100.
  void SetX(double x);
  double Y() const { return Y_; }
  void SetY(double y);
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TColor Color() const { return Color_; }
  void SetColor(TColor color) { Update(Color_, color); }
  TPenStyle Style() const { return Style_; }
  void SetStyle(TPenStyle style) { Update(Style_, style); }
  TPenMode Mode() const { return Mode_; }
  void SetMode(TPenMode mode) { Update(Mode_, mode); }
  TKvDisplayLabel* MeasurementLabel() const { return const_cast<TKvDisplayLabel*>(&MeasurementLabel_); }

private:
  double X_ = 0;
  double Y_ = 0;
  bool Visible_ = true;
  TColor Color_ = clYellow;
  TPenStyle Style_ = TPenStyle::psDot;
  TPenMode Mode_ = TPenMode::pmCopy;
  TKvDisplayLabel MeasurementLabel_;
};

// The band between a link's two cursors, shaded behind the channels.
class TKvScopeSelection : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvScopeSelection(TKvDataDisplay& display, TPersistent* owner);

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible) { Update(Visible_, visible); }
  TKvBrush* Brush() const { return const_cast<TKvBrush*>(&Brush_); }

private:
  bool Visible_ = false;
  TKvBrush Brush_{clGray};
};

// Two cursors measured against each other. The cursors are held by reference, so a deleted cursor
// leaves the link without it and the indices follow the cursors as others are deleted; the stored
// indices are resolved once the layout is read.
class TKvDisplayCursorLink : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursorLink(TCollection& collection);

  TKvScope& Scope() const;
  // -1 when unset; an index outside the cursors is ignored.
  int32_t BeginCursorIndex() const { return Begin ? Begin->Index() : -1; }
  void SetBeginCursorIndex(int32_t index);
  int32_t EndCursorIndex() const { return End ? End->Index() : -1; }
  void SetEndCursorIndex(int32_t index);
  TKvDisplayCursor* BeginCursor() const { return Begin.Get(); }
  TKvDisplayCursor* EndCursor() const { return End.Get(); }
  TKvScopeMeasurementLine* MeasurementLine() const { return const_cast<TKvScopeMeasurementLine*>(&Line); }
  TKvScopeSelection* Selection() const { return const_cast<TKvScopeSelection*>(&Selection_); }
  // Both cursors exist and are visible.
  bool IsComplete() const;

  TColor GetLegendColor() const override { return Line.Color(); }
  bool DrawLegendSample(TKvCanvas& canvas, int x, int y) const override;
  bool IsHighlighted() const override;
  void SetLegendHighlight(bool on) override;
  bool IsSelected() const override;

  // The cursor indices are stored together ("CursorIndex_", begin then end).
  void DefineProperties(TFiler& filer) override;
  // Takes the cursors the layout named, now that they exist.
  void ResolveLoaded();

private:
  void SetCursor(TLkItemRef<TKvDisplayCursor>& end, int32_t index);

  TLkItemRef<TKvDisplayCursor> Begin;
  TLkItemRef<TKvDisplayCursor> End;
  int32_t LoadedBegin = -1;
  int32_t LoadedEnd = -1;
  bool Loading = false;
  TKvScopeMeasurementLine Line;
  TKvScopeSelection Selection_;
};

class TKvDisplayCursorLinks : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvDisplayCursorLinks(TKvScope& scope);

  TKvScope& Scope() const { return Scope_; }
  TKvDisplayCursorLink& Link(int index) const { return static_cast<TKvDisplayCursorLink&>(Items(index)); }
  TKvDisplayCursorLink& AddLink() { return static_cast<TKvDisplayCursorLink&>(Add()); }

  // A link's measurement line was dragged somewhere else: old and new (X, Y) percentages.
  TEvent<TKvPositionChangeEvent> OnPositionChange;

protected:
  void ItemAdded(TCollectionItem& item) override;
  void Notify(TCollectionItem& item, TCollectionNotification action) override;

private:
  TKvScope& Scope_;
};
