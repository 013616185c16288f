// The window's scope and waterfall bring up their tool bars under the mouse, and the buttons act
// on the display they belong to.
#include "Form1TestKit.h"
#include "display/KvButtonGlyphs.h"
#include "display/KvDisplayToolBar.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

class WindowToolBars : public Form1 {
protected:
  void SetUp() override { Create(TCaptureOutcome::Refused); }

  std::vector<TKvDataDisplay*> Displays() { return {Form->KvScope3, Form->KvWaterfall1}; }
  static void Mouse(TKvDataDisplay& display, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, display.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&display, &event);
  }
  static void Click(TKvDataDisplay& display, const TKvRect& cell) {
    const QPoint middle(cell.Left + 8, cell.Top + 8);
    Mouse(display, QEvent::MouseButtonPress, middle);
    Mouse(display, QEvent::MouseButtonRelease, middle);
  }
  // Whether the display shows the button in this cell as its normal look draws it.
  static bool ShowsButton(TKvDataDisplay& display, const TKvRect& cell, int glyph) {
    const QImage picture = display.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& strip = display.ToolBar()->Images().Strip(TKvButtonLook::Normal);
    const qreal ratio = picture.devicePixelRatio();
    for (int y = 0; y < KvButtonGlyphs::Height; ++y)
      for (int x = 0; x < KvButtonGlyphs::Width; ++x) {
        const QRgb expected = strip.pixel(glyph * KvButtonGlyphs::Width + x, y);
        if (qAlpha(expected) == 0) continue;
        const QPoint at(static_cast<int>((cell.Left + x) * ratio), static_cast<int>((cell.Top + y) * ratio));
        if ((picture.pixel(at) & 0xFFFFFF) != (expected & 0xFFFFFF)) return false;
      }
    return true;
  }
};

TEST_F(WindowToolBars, TheDemonstrationKeepsItsZoomSettingsAndTheToolBarsTheirDefaults) {
  for (TKvDataDisplay* display : Displays()) {
    SCOPED_TRACE(display->Name());
    EXPECT_EQ(display->Zooming()->Mode(), TKvDisplayZoomMode::zmBoth);
    EXPECT_EQ(display->NavigateMode(), TKvDisplayNavigateMode::nmZoom);
    EXPECT_TRUE(display->ToolBar()->Visible());
    EXPECT_TRUE(display->ToolBar()->AutoHide());
  }
}

TEST_F(WindowToolBars, AppearUnderTheMouseAndTheirButtonsWork) {
  for (TKvDataDisplay* display : Displays()) {
    SCOPED_TRACE(display->Name());
    TKvDisplayToolBar& bar = *display->ToolBar();
    bar.UpdateStates();
    const TKvRect pause = bar.Cells().front().Rect, zoomIn = bar.Cells()[6].Rect;
    // At the top right, inside the display.
    EXPECT_EQ(pause.Right, display->Width() - 3 + 1 - 102 + 16);
    EXPECT_FALSE(ShowsButton(*display, pause, KvButtonGlyphs::gPause));
    Mouse(*display, QEvent::MouseMove, QPoint(display->Width() / 2, display->Height() / 2));
    EXPECT_TRUE(ShowsButton(*display, pause, KvButtonGlyphs::gPause));

    Click(*display, pause);
    EXPECT_TRUE(display->ZoomHold());
    Mouse(*display, QEvent::MouseMove, QPoint(display->Width() / 2, display->Height() / 2));
    EXPECT_TRUE(ShowsButton(*display, pause, KvButtonGlyphs::gPlay));
    Click(*display, pause);
    EXPECT_FALSE(display->ZoomHold());

    Click(*display, zoomIn);
    EXPECT_TRUE(display->IsZoomed());
    EXPECT_EQ(display->UndoList().Count(), 1u);
    display->ZoomOff();
    EXPECT_FALSE(display->IsZoomed());
  }
}

}  // namespace
