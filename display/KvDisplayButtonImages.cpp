#include "display/KvDisplayButtonImages.h"

#include "display/KvButtonGlyphs.h"

namespace {

// Each channel halved and summed, rounding down.
QRgb Halfway(QRgb a, QRgb b) {
  return qRgb((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

}  // namespace

QImage RecolourGlyphs(const QImage& strip, QRgb glyph, QRgb button, QRgb border, bool arrowsAsBorder) {
  using namespace KvButtonGlyphs;
  const QRgb opaque = 0xFF000000;
  glyph |= opaque, button |= opaque, border |= opaque;
  const QRgb edge = Halfway(glyph, button) | opaque;
  QImage image(strip.size(), QImage::Format_ARGB32);
  for (int y = 0; y < strip.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < strip.width(); ++x) {
      switch (in[x] | opaque) {
        case KeySymbol: out[x] = glyph; break;
        case KeyBorder: out[x] = border; break;
        case KeyArrow: out[x] = arrowsAsBorder ? border : 0; break;
        case KeyEdge: out[x] = edge; break;
        case KeyFace: out[x] = button; break;
        default: out[x] = 0;
      }
    }
  }
  return image;
}

void TKvDisplayButtonImages::Rebuild(const TKvButtonColours& c) {
  const QImage& strip = KvButtonGlyphs::Strip();
  Strips[static_cast<size_t>(TKvButtonLook::Normal)] = RecolourGlyphs(strip, c.Glyph, c.Button, c.Border, true);
  Strips[static_cast<size_t>(TKvButtonLook::MouseOver)] =
      RecolourGlyphs(strip, c.Glyph, c.MouseOverButton, c.MouseOverBorder, true);
  Strips[static_cast<size_t>(TKvButtonLook::MouseDown)] =
      RecolourGlyphs(strip, c.Glyph, c.MouseDownButton, c.MouseDownBorder, true);
  Strips[static_cast<size_t>(TKvButtonLook::Disabled)] = RecolourGlyphs(strip, c.Disabled, c.Button, c.Disabled, false);
}

void TKvDisplayButtonImages::Draw(QPainter& painter, int x, int y, TKvButtonLook look, int index) const {
  using namespace KvButtonGlyphs;
  painter.drawImage(QRectF(x, y, Width, Height), Strip(look), QRectF(index * Width, 0, Width, Height));
}
