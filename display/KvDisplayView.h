#pragma once

#include "display/KvDisplayComponent.h"
#include "display/KvViewSettings.h"
#include "platform/Published.h"

class TKvCanvas;

// The edge of the display a view is placed at. The data view takes what the others leave
// (vaClient, which layouts never store).
enum class TKvViewAlign { vaTop, vaBottom, vaLeft, vaRight, vaClient };
const TEnumNames<TKvViewAlign>& ViewAlignNames();

// What a view asks of the layout: its width and height, -1 for whatever is left that way.
struct TKvViewSize {
  int Cx = -1;
  int Cy = -1;
  bool operator==(const TKvViewSize&) const = default;
};

// A display component with a place in the layout. Its rectangle is written by the layout pass
// only; its width and height are one less than the rectangle's, as the layout's edges are shared.
class TKvDisplayView : public TKvDisplayComponent {
public:
  PUBLISHED_CLASS_INFO

  // The view is laid out just before `before`, or after every other view when none is given.
  explicit TKvDisplayView(TKvDataDisplay& display, TKvDisplayView* before = nullptr);
  ~TKvDisplayView() override;

  TKvRect GetRect() const override { return IsActive() ? Rect_ : TKvRect{}; }
  void SetViewRect(const TKvRect& rect) override { Rect_ = rect; }
  bool IsActive() const override { return GetWidth() > 0 && GetHeight() > 0; }
  // The rectangle the layout gave, active or not.
  const TKvRect& ViewRect() const { return Rect_; }

  virtual TKvViewSize GetSize() const = 0;
  // Room the view needs beyond its own rectangle at the start and at the end of its edge.
  virtual int GetLeadingMargin() const { return 0; }
  virtual int GetTrailingMargin() const { return 0; }
  virtual TKvViewAlign GetAlign() const = 0;
  int GetLeft() const { return Rect_.Left; }
  int GetTop() const { return Rect_.Top; }
  int GetWidth() const { return std::max(Rect_.Right - Rect_.Left - 1, 0); }
  int GetHeight() const { return std::max(Rect_.Bottom - Rect_.Top - 1, 0); }
  // Asks for the view's part of the display to be painted again.
  virtual void InvalidateView();
  // Whether the layout gives the view room.
  virtual bool IsVisible() const { return true; }
  virtual void Paint(TKvCanvas&, bool /*exporting*/, bool /*vertical*/) {}
  // Painted instead of Paint while the view lies outside the part being painted.
  virtual void PaintHidden(TKvCanvas&, bool /*vertical*/) {}
  // Drawn over the channels.
  virtual void PaintOverlay(TKvCanvas&) {}

private:
  TKvRect Rect_;
};

// A view with a background of its own or the display's colour.
class TKvCustomColorDisplayView : public TKvDisplayView {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvCustomColorDisplayView(TKvDataDisplay& display, TKvDisplayView* before = nullptr)
      : TKvDisplayView(display, before), Background_(display, this) {}

  TKvDisplayViewBackground* Background() const { return const_cast<TKvDisplayViewBackground*>(&Background_); }

protected:
  // Fills the rectangle with the background colour, unless the display's colour shows through.
  void PaintBackground(TKvCanvas& canvas) const;

private:
  TKvDisplayViewBackground Background_;
};

// A view at one edge of the display, sized by its content or by a fixed size.
class TKvCustomSizeDisplayView : public TKvCustomColorDisplayView {
public:
  PUBLISHED_CLASS_INFO

  TKvCustomSizeDisplayView(TKvDataDisplay& display, TKvViewAlign align, TKvDisplayView* before = nullptr);

  TKvDisplayViewSize* ViewSize() const { return const_cast<TKvDisplayViewSize*>(&ViewSize_); }
  TKvViewAlign Align() const { return Align_; }
  virtual void SetAlign(TKvViewAlign align);
  TKvViewAlign GetAlign() const override { return Align_; }

private:
  TKvDisplayViewSize ViewSize_;
  TKvViewAlign Align_;
};

// A view the user may hide; hidden, or without room, it is not laid out.
class TKvOptionalView : public TKvCustomSizeDisplayView {
public:
  PUBLISHED_CLASS_INFO

  using TKvCustomSizeDisplayView::TKvCustomSizeDisplayView;

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  bool IsActive() const override { return Visible_ && TKvCustomSizeDisplayView::IsActive(); }
  bool IsVisible() const override { return IsActive(); }

private:
  bool Visible_ = true;
};
