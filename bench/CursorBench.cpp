// The hit test a mouse move over the scope's data view runs: with 500 cursors and 500 cursor
// links (the mouse on none of them, so that every one is tested), beside the same mouse move over
// the same scope without them.
#include "display/KvScope.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class TCursorScope : public TKvScope {
public:
  using TKvScope::RefreshData;
  using TKvScope::TKvScope;
};
using TScopePtr = std::unique_ptr<TCursorScope, TComponentDeleter>;

constexpr int Items = 500;

// The demonstration's scope size with three channels of a buffer each, drawn once; with `items`
// cursors spread over the left half of the view (vertical, horizontal and both in turn) and as
// many links, each from a cursor to the next one.
TScopePtr CursorScope(int items) {
  TScopePtr scope(new TCursorScope(nullptr));
  scope->SetBounds(0, 0, 364, 205);
  scope->Title()->SetVisible(false);
  while (scope->Channels()->Count() < 3) scope->Channels()->AddChannel();
  for (int c = 0; c < 3; ++c)
    scope->Channels()->Channel(c).Data().StoreUniform(1024, 0, [c](uint32_t i) { return (i % 100) * 10.0 * c; });
  scope->DataArrived();
  {
    const TLkLockSection section = scope->DataLock().WriteLock();
    scope->RefreshData();
  }
  const TKvDisplayCursorKind kinds[] = {TKvDisplayCursorKind::ckVertical, TKvDisplayCursorKind::ckHorizontal,
                                        TKvDisplayCursorKind::ckBoth};
  for (int i = 0; i < items; ++i) {
    TKvDisplayCursor& cursor = scope->Cursors()->AddCursor();
    cursor.SetKind(kinds[i % 3]);
    cursor.Position()->SetX(400.0 * i / items);
    cursor.Position()->SetY(-900 + 400.0 * i / items);
  }
  for (int i = 0; i < items; ++i) {
    TKvDisplayCursorLink& link = scope->CursorLinks()->AddLink();
    link.SetBeginCursorIndex(i);
    link.SetEndCursorIndex((i + 1) % items);
  }
  QImage window(364, 205, QImage::Format_RGB32);
  QPainter painter(&window);
  scope->PaintToDC(painter);
  return scope;
}

void Move(TKvScope& scope, QPoint at) {
  QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&scope, &event);
}

void MouseMove(benchmark::State& state, int items) {
  TScopePtr scope = CursorScope(items);
  const TKvRect view = scope->DataView()->GetRect();
  // In the right half, above the middle: on no cursor, line or trace.
  const QPoint a(view.Right - 40, view.Top + 10), b(view.Right - 30, view.Top + 12);
  if (scope->CursorLayer().HitTest(a.x(), a.y()) || scope->CursorLayer().HitTest(b.x(), b.y()))
    state.SkipWithError("the mouse is on an item");
  bool flip = false;
  for (auto _ : state) {
    Move(*scope, (flip = !flip) ? a : b);
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK_CAPTURE(MouseMove, items, Items)
    ->Name("scope mouse move over 500 cursors and 500 cursor links/display")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MouseMove, none, 0)
    ->Name("scope mouse move over 500 cursors and 500 cursor links/the same move without them (reference)")
    ->Unit(benchmark::kMillisecond);
