// The display's tool bar and the axes' tool bars: where they lie, what their buttons show and do.
#include "DisplayTestKit.h"
#include "display/KvAxisToolBar.h"
#include "display/KvButtonGlyphs.h"
#include "display/KvDisplayLayout.h"
#include "display/KvDisplayToolBar.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace KvButtonGlyphs;

// The tool bar as a user finds it: a default display of 450 × 280 without title and legend, its
// views laid out.
class ToolBar : public testing::Test {
protected:
  ToolBar() {
    Chart->Title()->SetVisible(false);
    Chart->Legend()->SetVisible(false);
    LayoutViews(Chart->Views(), Chart->Width(), Chart->Height());
  }

  void Mouse(QEvent::Type type, int x, int y) {
    QMouseEvent event(type, QPointF(x, y), QPointF(x, y), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Chart.get(), &event);
  }
  void Click(int x, int y) {
    Mouse(QEvent::MouseButtonPress, x, y);
    Mouse(QEvent::MouseButtonRelease, x, y);
  }
  // Clicks the middle of the shown button with this glyph.
  void ClickGlyph(TKvBasicDisplayToolBar& bar, int glyph) {
    bar.UpdateStates();
    for (const auto& cell : bar.Cells())
      if (bar.InternalButtons()[cell.Button].Glyph == glyph)
        return Click(cell.Rect.Left + Width / 2, cell.Rect.Top + Height / 2);
    FAIL() << "glyph " << glyph << " is not shown";
  }
  static std::vector<int> Glyphs(TKvBasicDisplayToolBar& bar) {
    bar.UpdateStates();
    std::vector<int> glyphs;
    for (const auto& cell : bar.Cells()) glyphs.push_back(bar.InternalButtons()[cell.Button].Glyph);
    return glyphs;
  }

  TChartPtr Chart{new TTestChart(nullptr)};
  TKvDisplayToolBar& Bar = *Chart->ToolBar();
};

TEST_F(ToolBar, LiesInItsCornerOfTheDisplayOrOfTheDataView) {
  using enum TKvCoordinateMode;
  // The data view, as the host of the second half of the table: left 40, width 360 (right - left
  // - 1), top 20, height 230.
  Chart->DataView()->SetViewRect({40, 20, 401, 251});
  struct TCase {
    TKvToolBarHostView Host;
    TKvCoordinateMode Mode;
    int CX, CY;
    TKvRect Expected;
  } cases[] = {
      {TKvToolBarHostView::thvDisplay, cmRightTop, 3, 3, {346, 3, 448, 38}},
      {TKvToolBarHostView::thvDisplay, cmRightTop, 10, 7, {339, 7, 441, 42}},
      {TKvToolBarHostView::thvDisplay, cmLeftTop, 3, 3, {3, 3, 105, 38}},
      {TKvToolBarHostView::thvDisplay, cmLeftBottom, 3, 3, {3, 244, 105, 279}},
      {TKvToolBarHostView::thvDisplay, cmLeftCenter, 3, 3, {3, 121, 105, 156}},
      {TKvToolBarHostView::thvDisplay, cmRightBottom, 3, 3, {346, 244, 448, 279}},
      {TKvToolBarHostView::thvDisplay, cmRightCenter, 3, 3, {346, 121, 448, 156}},
      {TKvToolBarHostView::thvDisplay, cmTopCenter, 3, 3, {172, 3, 274, 38}},
      {TKvToolBarHostView::thvDisplay, cmBottomCenter, 3, 3, {172, 244, 274, 279}},
      {TKvToolBarHostView::thvDisplay, cmCenter, 3, 3, {172, 121, 274, 156}},
      {TKvToolBarHostView::thvDataView, cmLeftTop, 3, 3, {43, 23, 145, 58}},
      {TKvToolBarHostView::thvDataView, cmRightTop, 3, 3, {296, 23, 398, 58}},
      {TKvToolBarHostView::thvDataView, cmRightBottom, 3, 3, {296, 214, 398, 249}},
      {TKvToolBarHostView::thvDataView, cmCenter, 3, 3, {167, 116, 269, 151}},
      {TKvToolBarHostView::thvDataView, cmBottomCenter, 5, 0, {165, 217, 267, 252}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Mode) * 10 + static_cast<int>(c.Host));
    Bar.Position()->SetHostView(c.Host);
    Bar.Position()->SetCoordinateMode(c.Mode);
    Bar.Position()->SetCX(c.CX);
    Bar.Position()->SetCY(c.CY);
    EXPECT_EQ(Bar.GetRect(), c.Expected);
    EXPECT_EQ(Bar.GetBarLeft(), c.Expected.Left);
    EXPECT_EQ(Bar.GetBarTop(), c.Expected.Top);
  }
}

TEST_F(ToolBar, ShowsTwoRowsOfSixInItsOrderAndHiddenButtonsLeaveNoGap) {
  const std::vector<int> all = {gPause,  gHand,    gCopy,    gPrinter,      gDiskette, gWrench,
                                gZoomIn, gZoomOut, gZoomOff, gZoomPrevious, gZoomNext, gFourArrows};
  EXPECT_EQ(Glyphs(Bar), all);
  const auto cells = Bar.Cells();
  ASSERT_EQ(cells.size(), 12u);
  EXPECT_EQ(cells[0].Rect, (TKvRect{346, 3, 362, 19}));
  EXPECT_EQ(cells[5].Rect, (TKvRect{431, 3, 447, 19}));
  EXPECT_EQ(cells[6].Rect, (TKvRect{346, 20, 362, 36}));

  Bar.Buttons()->Copy()->SetVisible(false);
  std::vector<int> closedUp = all;
  closedUp.erase(closedUp.begin() + 2);
  EXPECT_EQ(Glyphs(Bar), closedUp);
  EXPECT_EQ(Bar.GetRect(), (TKvRect{346, 3, 448, 38}));
  // Still six to a row: the first zoom button ends the first row.
  EXPECT_EQ(Bar.Cells()[5].Rect, (TKvRect{431, 3, 447, 19}));
  EXPECT_EQ(Bar.Cells()[6].Rect, (TKvRect{346, 20, 362, 36}));
}

TEST_F(ToolBar, PauseHoldsAndTurnsIntoPlayWhichReleases) {
  ASSERT_FALSE(Chart->ZoomHold());
  ClickGlyph(Bar, gPause);
  EXPECT_TRUE(Chart->ZoomHold());
  EXPECT_EQ(Glyphs(Bar).front(), gPlay);
  ClickGlyph(Bar, gPlay);
  EXPECT_FALSE(Chart->ZoomHold());
  EXPECT_EQ(Glyphs(Bar).front(), gPause);
}

TEST_F(ToolBar, TheHandAndTheMagnifierSwitchBetweenPanAndZoom) {
  ClickGlyph(Bar, gHand);
  EXPECT_EQ(Chart->NavigateMode(), TKvDisplayNavigateMode::nmPan);
  EXPECT_EQ(Glyphs(Bar)[1], gMagnifier);
  ClickGlyph(Bar, gMagnifier);
  EXPECT_EQ(Chart->NavigateMode(), TKvDisplayNavigateMode::nmZoom);
}

TEST_F(ToolBar, ZoomButtonsAreEnabledWhenTheirOperationCanRun) {
  auto enabled = [&] {
    Bar.UpdateStates();
    std::vector<bool> states;
    for (size_t i = 8; i < 14; ++i) states.push_back(Bar.InternalButtons()[i].Enabled);
    return states;
  };
  // In, out, off, previous, next, both axes.
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, false}));
  Chart->ZoomBy(0.5);
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false, false}));
  Chart->ZoomPrevious();
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, true, false}));
  Chart->Zooming()->SetMode(TKvDisplayZoomMode::zmXAxis);
  EXPECT_EQ(enabled()[5], true);
  ClickGlyph(Bar, gFourArrows);
  EXPECT_EQ(Chart->Zooming()->Mode(), TKvDisplayZoomMode::zmBoth);
  // Neither main axis may show less than a span of 1e9: no zooming in.
  for (TKvDisplayAxisZoom* zoom : {Chart->XAxis()->Zooming(), Chart->YAxis()->Zooming()}) {
    zoom->Range()->Low()->SetValue(1e9);
    zoom->Range()->Low()->SetEnabled(true);
  }
  Chart->InvalidateRanges();
  EXPECT_EQ(enabled()[0], false);
}

TEST_F(ToolBar, ButtonsRunTheirZoomOperations) {
  ClickGlyph(Bar, gZoomIn);
  EXPECT_TRUE(Chart->IsZoomed());
  EXPECT_EQ(Chart->UndoList().Count(), 1u);
  ClickGlyph(Bar, gZoomPrevious);
  EXPECT_FALSE(Chart->IsZoomed());
  ClickGlyph(Bar, gZoomNext);
  EXPECT_TRUE(Chart->IsZoomed());
  ClickGlyph(Bar, gZoomOff);
  EXPECT_FALSE(Chart->IsZoomed());
  const double span = Chart->YAxis()->GetVisibleMax() - Chart->YAxis()->GetVisibleMin();
  ClickGlyph(Bar, gZoomOut);
  EXPECT_DOUBLE_EQ(Chart->YAxis()->GetVisibleMax() - Chart->YAxis()->GetVisibleMin(), 2 * span);
}

TEST_F(ToolBar, AClickOnADisabledButtonDoesNothing) {
  const size_t undo = Chart->UndoList().Count();
  ClickGlyph(Bar, gZoomOff);
  EXPECT_EQ(Chart->UndoList().Count(), undo);
  EXPECT_FALSE(Bar.InternalButtons()[10].Pressed);
}

TEST_F(ToolBar, OnClickRunsBeforeTheActionAndHandledReplacesIt) {
  for (bool handled : {true, false}) {
    SCOPED_TRACE(handled);
    Chart->ZoomOff();
    int clicks = 0;
    TObject* sender = nullptr;
    Bar.Buttons()->ZoomIn()->OnClick = [&](TObject* s, bool& h) {
      ++clicks;
      sender = s;
      EXPECT_FALSE(h);
      h = handled;
    };
    ClickGlyph(Bar, gZoomIn);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, Bar.Buttons()->ZoomIn());
    EXPECT_EQ(Chart->IsZoomed(), !handled);
  }
}

TEST_F(ToolBar, APressMarksTheButtonPressedUntilTheRelease) {
  Bar.Buttons()->ZoomIn()->OnClick = [](TObject*, bool& h) { h = true; };
  const TKvRect zoomIn = Bar.Cells()[6].Rect;
  Mouse(QEvent::MouseButtonPress, zoomIn.Left + 3, zoomIn.Top + 3);
  EXPECT_TRUE(Bar.InternalButtons()[8].Pressed);
  Mouse(QEvent::MouseButtonRelease, zoomIn.Left + 3, zoomIn.Top + 3);
  EXPECT_FALSE(Bar.InternalButtons()[8].Pressed);
}

TEST_F(ToolBar, KeepsItsPlaceWhileTheMouseIsOverIt) {
  Mouse(QEvent::MouseMove, 350, 8);
  ASSERT_TRUE(Bar.Hovered());
  Chart->SetBounds(0, 0, 500, 280);
  EXPECT_EQ(Bar.GetRect(), (TKvRect{346, 3, 448, 38}));
  Mouse(QEvent::MouseMove, 10, 200);
  EXPECT_EQ(Bar.GetRect(), (TKvRect{396, 3, 498, 38}));
}

TEST_F(ToolBar, ReplacesTheCursorOverItAndPutsItBackWhenTheMouseLeaves) {
  const Qt::CursorShape own = Chart->cursor().shape();
  Mouse(QEvent::MouseMove, 350, 8);
  EXPECT_EQ(Chart->cursor().shape(), Qt::PointingHandCursor);
  Mouse(QEvent::MouseMove, 10, 200);
  EXPECT_EQ(Chart->cursor().shape(), own);
}

// What a hook answers in place of the print and save dialogs, and what it was told.
struct TDialogAnswers {
  std::optional<std::string> FileName;
  bool PrintConfirmed = false;
  std::string PdfFile;
  std::vector<std::string> Errors;
  int Asked = 0;

  TKvToolBarDialogs Hook() {
    TKvToolBarDialogs dialogs;
    dialogs.AskPrinter = [this](QWidget*, QPrinter& printer) {
      ++Asked;
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(PdfFile));
      return PrintConfirmed;
    };
    dialogs.AskSaveFileName = [this](QWidget*) {
      ++Asked;
      return FileName;
    };
    dialogs.ShowError = [this](QWidget*, const std::string& message) { Errors.push_back(message); };
    return dialogs;
  }
};

QByteArray Head(const std::string& name) {
  QFile file(QString::fromStdString(name));
  return file.open(QIODevice::ReadOnly) ? file.read(2) : QByteArray();
}

TEST_F(ToolBar, SavingHoldsMeanwhileAndAFailureSaysSo) {
  QTemporaryDir dir;
  const std::string bmp = dir.filePath("picture.bmp").toStdString(), jpg = dir.filePath("picture.JPG").toStdString();
  struct TCase {
    const char* Name;
    bool HeldBefore;
    std::optional<std::string> FileName;
    bool HeldAfter;
    const char* Head;  // of the file written; null for none
    bool Fails;
  } cases[] = {
      {"cancelled", false, std::nullopt, true, nullptr, false},
      {"bitmap", false, bmp, false, "BM", false},
      {"jpeg by its extension", false, jpg, false, "\xFF\xD8", false},
      {"from a held display", true, bmp, true, "BM", false},
      {"into a folder that is not there", false, dir.filePath("none/picture.bmp").toStdString(), false, nullptr, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QFile::remove(QString::fromStdString(bmp));
    QFile::remove(QString::fromStdString(jpg));
    Chart->SetZoomHold(c.HeldBefore);
    TDialogAnswers answers;
    answers.FileName = c.FileName;
    Bar.Dialogs = answers.Hook();
    ClickGlyph(Bar, gDiskette);
    EXPECT_EQ(answers.Asked, 1);
    EXPECT_EQ(Chart->ZoomHold(), c.HeldAfter);
    if (c.Head) {
      EXPECT_EQ(Head(*c.FileName), QByteArray(c.Head));
    }
    EXPECT_EQ(answers.Errors.size(), c.Fails ? 1u : 0u);
    if (c.Fails && !answers.Errors.empty()) {
      EXPECT_NE(answers.Errors.front().find("none/picture.bmp"), std::string::npos);
    }
  }
}

TEST_F(ToolBar, PrintingHoldsMeanwhileAndACancelledPrintStaysHeld) {
  QTemporaryDir dir;
  for (bool confirmed : {false, true}) {
    SCOPED_TRACE(confirmed);
    Chart->SetZoomHold(false);
    TDialogAnswers answers;
    answers.PrintConfirmed = confirmed;
    answers.PdfFile = dir.filePath(confirmed ? "printed.pdf" : "cancelled.pdf").toStdString();
    Bar.Dialogs = answers.Hook();
    ClickGlyph(Bar, gPrinter);
    EXPECT_EQ(Chart->ZoomHold(), !confirmed);
    EXPECT_EQ(QFile::exists(QString::fromStdString(answers.PdfFile)), confirmed);
  }
}

TEST_F(ToolBar, AHiddenToolBarTakesNoClick) {
  Bar.SetVisible(false);
  Click(350, 8);
  EXPECT_FALSE(Chart->ZoomHold());
}

// The first pixel of a glyph's symbol, relative to its cell.
QPoint SymbolPixel(int glyph) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Strip().pixel(glyph * Width + x, y) == KeySymbol) return {x, y};
  return {};
}

TEST_F(ToolBar, IsPaintedWhileTheMouseIsOverTheDisplayUnlessItStays) {
  const QPoint pause = QPoint(346, 3) + SymbolPixel(gPause);
  const QPoint zoomOff = QPoint(346 + 2 * 17, 20) + SymbolPixel(gZoomOff);
  const uint32_t yellow = 0xFFFF00, green = 0x008000, lime = 0x00FF00;
  // Without the mouse, an auto-hiding bar is not there.
  QImage picture = Expose(*Chart);
  EXPECT_EQ(Rgb(picture, pause.x(), pause.y()), 0u);
  EXPECT_EQ(Rgb(picture, 347, 3), 0u);

  Mouse(QEvent::MouseMove, 200, 150);
  picture = Expose(*Chart);
  EXPECT_EQ(Rgb(picture, pause.x(), pause.y()), yellow);
  EXPECT_EQ(Rgb(picture, 347, 3), green);                    // border, normal look
  EXPECT_EQ(Rgb(picture, 346, 3), 0u);                       // corner: the display shows through
  EXPECT_EQ(Rgb(picture, zoomOff.x(), zoomOff.y()), green);  // disabled: nothing to zoom off
  EXPECT_FALSE(Bar.Hot());

  // Over the pause button: its mouse-over look.
  Mouse(QEvent::MouseMove, 350, 8);
  picture = Expose(*Chart);
  EXPECT_EQ(Rgb(picture, 347, 3), lime);
  EXPECT_EQ(Rgb(picture, 348, 4), green);  // face
  EXPECT_TRUE(Bar.Hot());

  // Copies never show it.
  const QImage copy = Chart->RenderImage();
  EXPECT_EQ(Rgb(copy, 347, 3), 0u);

  // A bar that stays is there without the mouse, and a hidden one is not there at all.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Chart.get(), &leave);
  Bar.SetAutoHide(false);
  EXPECT_EQ(Rgb(Expose(*Chart), 347, 3), green);
  Bar.SetVisible(false);
  EXPECT_EQ(Rgb(Expose(*Chart), 347, 3), 0u);
}

TEST_F(ToolBar, ColoursComeFromItsProperties) {
  Bar.SetAutoHide(false);
  Bar.SetBorderColor(clRed);
  Bar.SetGlyphColor(clBlue);
  const QPoint pause = QPoint(346, 3) + SymbolPixel(gPause);
  const QImage picture = Expose(*Chart);
  EXPECT_EQ(Rgb(picture, 347, 3), 0xFF0000u);
  EXPECT_EQ(Rgb(picture, pause.x(), pause.y()), 0x0000FFu);
}

// The axes' own tool bars.
class AxisToolBar : public ToolBar {
protected:
  TKvAxisToolBar& X = *Chart->XAxis()->ToolBar();
  TKvAxisToolBar& Y = *Chart->YAxis()->ToolBar();
};

TEST_F(AxisToolBar, AColumnInsideALeftAxisAndARowInsideABottomAxis) {
  const TKvRect y = Chart->YAxis()->ViewRect(), x = Chart->XAxis()->ViewRect(), data = Chart->DataView()->ViewRect();
  ASSERT_FALSE(y.IsEmpty());
  EXPECT_EQ(Y.GetRowCount(), 4);
  EXPECT_EQ(Y.GetRect(), (TKvRect{y.Left + 3, data.Top, y.Left + 3 + 17, data.Top + 4 * 17 + 1}));
  EXPECT_EQ(X.GetRowCount(), 1);
  EXPECT_EQ(X.GetRect(), (TKvRect{data.Left, x.Bottom - 19, data.Left + 68, x.Bottom - 19 + 18}));
  EXPECT_EQ(Glyphs(Y), (std::vector<int>{gZoomIn, gZoomOut, gZoomOff, gVerticalArrows}));
  EXPECT_EQ(Glyphs(X), (std::vector<int>{gZoomIn, gZoomOut, gZoomOff, gHorizontalArrows}));
  // A right axis keeps its bar inside too.
  Chart->YAxis()->SetAlign(TKvViewAlign::vaRight);
  LayoutViews(Chart->Views(), Chart->Width(), Chart->Height());
  const TKvRect right = Chart->YAxis()->ViewRect();
  EXPECT_EQ(Y.GetBarLeft(), right.Right - 16 - 3);
}

TEST_F(AxisToolBar, ZoomsItsAxisOnly) {
  int events = 0;
  Chart->OnZoomChanged = [&](TObject*, TKvZoomOperation operation, const TKvRealRanges&) {
    ++events;
    EXPECT_EQ(operation, TKvZoomOperation::zoZoom);
  };
  Y.ZoomAxisBy(0.5);
  EXPECT_TRUE(Chart->YAxis()->IsZoomed());
  EXPECT_FALSE(Chart->XAxis()->IsZoomed());
  EXPECT_DOUBLE_EQ(Chart->YAxis()->GetVisibleMax() - Chart->YAxis()->GetVisibleMin(), 1000);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(Chart->UndoList().Count(), 1u);
  Y.ZoomAxisOff();
  EXPECT_FALSE(Chart->YAxis()->IsZoomed());
  EXPECT_EQ(events, 1);
  EXPECT_EQ(Chart->UndoList().Count(), 2u);
}

TEST_F(AxisToolBar, ButtonStatesFollowTheAxisAndTheZoomMode) {
  auto enabled = [](TKvAxisToolBar& bar) {
    bar.UpdateStates();
    std::vector<bool> states;
    for (const auto& button : bar.InternalButtons()) states.push_back(button.Enabled);
    return states;
  };
  EXPECT_EQ(enabled(Y), (std::vector<bool>{true, true, false, true}));
  Y.ZoomOneDirection();
  EXPECT_EQ(Chart->Zooming()->Mode(), TKvDisplayZoomMode::zmYAxis);
  EXPECT_EQ(enabled(Y), (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(enabled(X)[3], true);
  X.ZoomOneDirection();
  EXPECT_EQ(Chart->Zooming()->Mode(), TKvDisplayZoomMode::zmXAxis);
  X.ZoomAxisBy(0.5);
  EXPECT_EQ(enabled(X), (std::vector<bool>{true, true, true, false}));
}

TEST_F(AxisToolBar, ShowsWhileTheMouseIsOverItsAxis) {
  const TKvRect bar = Y.GetRect();
  const QPoint border(bar.Left + 1, bar.Top);
  Mouse(QEvent::MouseMove, 200, 100);
  EXPECT_NE(Rgb(Expose(*Chart), border.x(), border.y()), 0x008000u);
  const TKvRect axis = Chart->YAxis()->ViewRect();
  Mouse(QEvent::MouseMove, axis.Right - 2, axis.Bottom - 10);
  ASSERT_TRUE(Chart->YAxis()->Hovered());
  EXPECT_EQ(Rgb(Expose(*Chart), border.x(), border.y()), 0x008000u);
  // A click on its zoom-in button zooms the axis.
  Click(bar.Left + 8, bar.Top + 8);
  EXPECT_TRUE(Chart->YAxis()->IsZoomed());
}

TEST(ToolBarStorage, SettingsAwayFromTheirDefaultsReadBackAndDefaultsAreNotWritten) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetName("KvScope3");
  const std::string plain = TLayoutWriter::WriteRoot(*chart);
  EXPECT_EQ(plain.find("ToolBar"), std::string::npos) << plain;

  TKvDisplayToolBar& bar = *chart->ToolBar();
  bar.SetAutoHide(false);
  bar.SetGlyphColor(clRed);
  bar.SetMouseDownButtonColor(clNavy);
  bar.SetCursor(TCursor::crCross);
  bar.Position()->SetCX(10);
  bar.Position()->SetCoordinateMode(TKvCoordinateMode::cmLeftBottom);
  bar.Position()->SetHostView(TKvToolBarHostView::thvDataView);
  bar.Buttons()->Copy()->SetVisible(false);
  chart->YAxis()->ToolBar()->SetVisible(false);
  chart->XAxis()->ToolBar()->Buttons()->ZoomOneDir()->SetVisible(false);
  const std::string text = TLayoutWriter::WriteRoot(*chart);
  for (const char* line : {"  ToolBar.AutoHide = False\n", "  ToolBar.GlyphColor = clRed\n",
                           "  ToolBar.MouseDownButtonColor = clNavy\n", "  ToolBar.Cursor = crCross\n",
                           "  ToolBar.Position.CX = 10\n", "  ToolBar.Position.CoordinateMode = cmLeftBottom\n",
                           "  ToolBar.Position.HostView = thvDataView\n", "  ToolBar.Buttons.Copy.Visible = False\n",
                           "  YAxis.ToolBar.Visible = False\n", "  XAxis.ToolBar.Buttons.ZoomOneDir.Visible = False\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;

  TChartPtr read(new TTestChart(nullptr));
  TLayoutReader::ReadRoot(*read, text);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*read), text);
  const TKvDisplayToolBar& back = *read->ToolBar();
  EXPECT_FALSE(back.AutoHide());
  EXPECT_EQ(back.GlyphColor(), clRed);
  EXPECT_EQ(back.Cursor(), TCursor::crCross);
  EXPECT_EQ(back.Position()->CX(), 10);
  EXPECT_EQ(back.Position()->CoordinateMode(), TKvCoordinateMode::cmLeftBottom);
  EXPECT_EQ(back.Position()->HostView(), TKvToolBarHostView::thvDataView);
  EXPECT_FALSE(back.Buttons()->Copy()->Visible());
  EXPECT_FALSE(read->YAxis()->ToolBar()->Visible());
  EXPECT_FALSE(read->XAxis()->ToolBar()->Buttons()->ZoomOneDir()->Visible());
  // The glyphs follow the colour that was read.
  EXPECT_EQ(back.Images().Strip(TKvButtonLook::Normal).pixel(gPause * Width + 5, 8), qRgb(255, 0, 0));
}

}  // namespace
