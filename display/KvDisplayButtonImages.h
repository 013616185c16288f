#pragma once

#include <QImage>
#include <QPainter>
#include <QRgb>

#include <array>

// Which look of a glyph a button shows.
enum class TKvButtonLook { Normal, Disabled, MouseOver, MouseDown };

// The colours a tool bar paints its buttons in.
struct TKvButtonColours {
  QRgb Glyph;
  QRgb Border;
  QRgb Button;
  QRgb MouseOverBorder;
  QRgb MouseOverButton;
  QRgb MouseDownBorder;
  QRgb MouseDownButton;
  QRgb Disabled;
};

// The glyph strip recoloured into one image per look. What lies outside a button (its corners,
// and in the disabled look the one-direction arrows) is transparent, so the display shows there.
class TKvDisplayButtonImages {
public:
  explicit TKvDisplayButtonImages(const TKvButtonColours& colours) { Rebuild(colours); }

  void Rebuild(const TKvButtonColours& colours);
  // The strip of one look, 16 pixels per glyph.
  const QImage& Strip(TKvButtonLook look) const { return Strips[static_cast<size_t>(look)]; }
  // Draws glyph `index` with its top-left corner at (x, y), in logical pixels.
  void Draw(QPainter& painter, int x, int y, TKvButtonLook look, int index) const;

private:
  std::array<QImage, 4> Strips;
};

// The key-coloured strip in the given colours: the symbol in `glyph`, the face in `button`, the
// border (and with `arrowsAsBorder` the one-direction arrows) in `border`, smoothed edges halfway
// between symbol and face; everything else transparent.
QImage RecolourGlyphs(const QImage& strip, QRgb glyph, QRgb button, QRgb border, bool arrowsAsBorder);
