#pragma once

#include "display/KvGeometry.h"
#include "display/KvTextMetrics.h"
#include "platform/Colors.h"
#include "platform/Pen.h"

#include <QPainter>
#include <QPalette>
#include <QRegion>

#include <optional>
#include <string>

class TFont;

// Every display draws through this canvas, so that the pixel rules live in one place. Coordinates
// are logical pixels whatever the device's pixel ratio: a rectangle covers its left and top edge but
// not its right and bottom one, a line leaves out its last pixel, text is placed by the top-left
// corner of its cell, and the device draws all of it at full resolution without blending edges.
class TKvCanvas {
public:
  // System colours come from `palette`.
  TKvCanvas(QPainter& painter, const QPalette& palette);

  QPainter& Painter() const { return Painter_; }
  QColor ToColor(TColor color) const { return ToQColor(color, Palette); }

  void SetPen(TColor color, int width = 1, TPenStyle style = TPenStyle::psSolid, TPenMode mode = TPenMode::pmCopy);
  void SetPen(const TPen& pen) { SetPen(pen.Color(), pen.Width(), pen.Style(), pen.Mode()); }
  // A solid brush; a clear one fills nothing and leaves text backgrounds as they are.
  void SetBrush(TColor color) { Brush = color; }
  void SetClearBrush() { Brush.reset(); }
  void SetFont(const TFont& font);
  void SetFont(const QFont& font, TColor color);
  const TKvTextMetrics& Metrics() const { return Metrics_; }

  // Fills with the brush.
  void FillRect(const TKvRect& rect);
  void FillRect(const TKvRect& rect, TColor color);
  // An outline in the pen inside the rectangle, filled with the brush.
  void Rectangle(const TKvRect& rect);
  void MoveTo(int x, int y) { PenX = x, PenY = y; }
  // From the pen position to (x, y), without that last pixel; the pen moves there.
  void LineTo(int x, int y);
  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
  void SetPixel(int x, int y, TColor color) { FillRect({x, y, x + 1, y + 1}, color); }
  // Lines through `count` points, each without its last pixel; the pen moves to the last point.
  void Polyline(const QPoint* points, int count);
  // An ellipse inside the rectangle and a closed polygon, outlined with the pen and filled with
  // the brush.
  void Ellipse(const TKvRect& rect);
  void Polygon(const QPoint* points, int count);
  // Text in the font's colour, the top-left corner of its cell at (x, y), on the brush unless clear.
  void TextOut(int x, int y, const std::string& text);
  // Text turned counter-clockwise by `degrees` about the top-left corner of its unturned cell.
  void RotatedTextOut(int x, int y, const std::string& text, int degrees);
  int TextWidth(const std::string& text) const { return Metrics_.Width(text); }
  int TextHeight() const { return Metrics_.Height(); }
  // The dotted outline that shows the keyboard focus, inverting what it covers.
  void FocusRect(const TKvRect& rect);

  // Clipping: drawing stays inside the given rectangle, or outside it.
  void ClipTo(const TKvRect& rect);
  void ExcludeClip(const TKvRect& rect);
  void RemoveClip() { Painter_.setClipping(false); }

private:
  friend class TKvClipGuard;
  // A pen for what cannot be drawn as whole pixels (slanted, wide or patterned lines).
  void StrokeLine(int x1, int y1, int x2, int y2);
  // Sets the painter's pen for a stroke; true when it runs through the pixel centres (wide pens,
  // denser devices), so that the stroke is to be moved by half a pixel.
  bool PrepareStroke();
  // Sets the painter's pen and brush for a filled shape.
  void PrepareShape();
  QRectF ToRect(const TKvRect& rect) const;

  QPainter& Painter_;
  QPalette Palette;
  qreal Ratio;
  TColor PenColor = clBlack;
  int PenWidth = 1;
  TPenStyle PenStyle = TPenStyle::psSolid;
  TPenMode PenMode = TPenMode::pmCopy;
  std::optional<TColor> Brush;
  TColor FontColor = clBlack;
  TKvTextMetrics Metrics_;
  int PenX = 0;
  int PenY = 0;
};

// Keeps a canvas's clipping for a while and puts it back when it goes.
class TKvClipGuard {
public:
  explicit TKvClipGuard(TKvCanvas& canvas)
      : Canvas(canvas), Region(canvas.Painter_.clipRegion()), Clipping(canvas.Painter_.hasClipping()) {}
  ~TKvClipGuard() {
    Canvas.Painter_.setClipRegion(Region);
    Canvas.Painter_.setClipping(Clipping);
  }
  TKvClipGuard(const TKvClipGuard&) = delete;
  TKvClipGuard& operator=(const TKvClipGuard&) = delete;

private:
  TKvCanvas& Canvas;
  QRegion Region;
  bool Clipping;
};
