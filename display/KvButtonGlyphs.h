#pragma once

#include <QImage>
#include <QRgb>

// The tool bars' glyphs: eighteen buttons of 16 × 16 pixels side by side in one strip, painted in
// key colours that the tool bar later replaces by its own (see TKvDisplayButtonImages).
namespace KvButtonGlyphs {

inline constexpr int Width = 16;
inline constexpr int Height = 16;
inline constexpr int Count = 18;

// The glyphs by index.
enum TGlyph {
  gArrowDown,
  gArrowUp,
  gPlay,
  gPause,
  gZoomIn,
  gZoomOut,
  gZoomOff,
  gPrinter,
  gDiskette,
  gCopy,
  gWrench,
  gZoomPrevious,
  gZoomNext,
  gFourArrows,
  gMagnifier,
  gHand,
  gHorizontalArrows,
  gVerticalArrows
};

// The key colours: the symbol, its smoothed edges, the button's face and border, the arrows of
// the two one-direction glyphs, and the corners that are not part of the button.
inline constexpr QRgb KeySymbol = 0xFFFFFFFF;
inline constexpr QRgb KeyEdge = 0xFFC0C0C0;
inline constexpr QRgb KeyFace = 0xFF000000;
inline constexpr QRgb KeyBorder = 0xFF808080;
inline constexpr QRgb KeyArrow = 0xFF0000FF;
inline constexpr QRgb KeyCorner = 0xFFFF0000;

// The strip, Count × Width by Height pixels, in the key colours only.
const QImage& Strip();

}  // namespace KvButtonGlyphs
