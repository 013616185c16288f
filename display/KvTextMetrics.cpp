#include "display/KvTextMetrics.h"

#include "platform/Font.h"

#include <QString>

TKvTextMetrics::TKvTextMetrics(const TFont& font) : TKvTextMetrics(font.ToQFont()) {}

int TKvTextMetrics::Width(const std::string& text) const {
  return Metrics.horizontalAdvance(QString::fromStdString(text));
}
