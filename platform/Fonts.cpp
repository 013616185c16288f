#include "platform/Fonts.h"

#include <QStringList>

#include <cstdlib>

#include <mutex>

namespace {

void RegisterSubstitutes() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Liberation Sans has Arial's metrics and is close to the old bitmap sans serif in width, so
    // texts sized for those fonts still fit their cells.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  });
}

}  // namespace

QFont LayoutFont(const QString& family, int height) {
  RegisterSubstitutes();
  QFont font(family);
  // A positive cell height also counts the internal leading; the difference of a pixel or two is
  // not worth a second font lookup.
  if (height != 0) font.setPixelSize(std::abs(height));
  return font;
}
