#pragma once

#include <QFont>
#include <QFontMetrics>

#include <string>

class TFont;

// Text sizes in logical pixels, the same whatever device the text is drawn on, so that a layout
// measured at one pixel ratio fits at another.
class TKvTextMetrics {
public:
  explicit TKvTextMetrics(const TFont& font);
  explicit TKvTextMetrics(const QFont& font) : Font_(font), Metrics(font) {}

  const QFont& Font() const { return Font_; }
  int Width(const std::string& text) const;
  // The height of a line of the font ("Xg" and every other text alike).
  int Height() const { return Metrics.height(); }
  int Ascent() const { return Metrics.ascent(); }

private:
  QFont Font_;
  QFontMetrics Metrics;
};
