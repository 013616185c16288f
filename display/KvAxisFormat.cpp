#include "display/KvAxisFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Fixed-point text longer than this many integer digits turns scientific.
constexpr double ScientificFrom = 1e15;
// Decimals of the default scientific notation (15 significant digits).
constexpr int DefaultScientificDecimals = 14;

// Room for any double in fixed notation with the most decimals a label can ask for.
constexpr size_t TextRoom = 720;

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

int LabelDecimals(int precision, bool fixed, double min, double max) {
  if (fixed) return std::max(precision, 0);
  if (precision <= 0) return 0;
  const double range = std::fabs(max - min);
  if (!std::isfinite(range)) return 0;
  int decimals = range == 0 ? 0 : precision - (static_cast<int>(std::trunc(std::log10(range))) + 1);
  if (range < 1) ++decimals;
  return std::max(decimals, 0);
}

std::string FormatScientific(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : value > 0 ? "INF" : "-INF";
  char buffer[TextRoom];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, std::clamp(decimals, 0, 40));
  std::string text(buffer, result.ptr);
  // "1.5e+03" → "1.5E+003".
  const size_t e = text.find('e');
  std::string exponent = text.substr(e + 2);
  while (exponent.size() < 3) exponent.insert(exponent.begin(), '0');
  return text.substr(0, e) + "E" + text[e + 1] + exponent;
}

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value) || std::fabs(value) >= ScientificFrom)
    return FormatScientific(value, DefaultScientificDecimals);
  char buffer[TextRoom];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::clamp(decimals, 0, 400));
  // A value that rounds to zero is "0", never "-0".
  char* first = buffer;
  if (*first == '-' && std::all_of(first + 1, result.ptr, [](char c) { return c == '0' || c == '.'; })) ++first;
  return std::string(first, result.ptr);
}

const TClassInfo& TKvAxisFormat::StaticClassInfo() {
  static const TEnumNames<TKvPrecisionMode> modes = {{TKvPrecisionMode::dpmGeneral, "dpmGeneral"},
                                                     {TKvPrecisionMode::dpmScientific, "dpmScientific"}};
  return DefineClass<TKvAxisFormat, TKvDisplaySettings>("TKvAxisFormat", [](TPublished<TKvAxisFormat>& p) {
    using C = TKvAxisFormat;
    p.Enumeration("PrecisionMode", modes, &C::PrecisionMode, &C::SetPrecisionMode, TKvPrecisionMode::dpmGeneral)
        .Integer("Precision", &C::Precision, &C::SetPrecision, 3)
        .Boolean("FixedPrecision", &C::FixedPrecision, &C::SetFixedPrecision, false);
  });
}

void TKvAxisFormat::SetPrecision(int precision) { Update(Precision_, std::clamp(precision, 0, MaxPrecision)); }

std::string TKvAxisFormat::FormatValue(double value, double min, double max) const {
  if (PrecisionMode_ == TKvPrecisionMode::dpmScientific)
    return FormatScientific(value, FixedPrecision_ ? Precision_ : DefaultScientificDecimals);
  std::string text = Trimmed(FormatFixed(value, LabelDecimals(Precision_, FixedPrecision_, min, max)));
  const size_t e = text.find('E');
  if (FixedPrecision_ && e != std::string::npos) {
    // Very large numbers: the mantissa cut to the set decimals, the exponent without leading zeros.
    std::string mantissa = text.substr(0, e);
    const size_t point = mantissa.find('.');
    if (point != std::string::npos)
      mantissa.resize(Precision_ == 0 ? point : std::min(mantissa.size(), point + 1 + Precision_));
    std::string exponent = text.substr(e + 1);
    const size_t digits = exponent.find_first_not_of("+-");
    while (digits != std::string::npos && exponent.size() > digits + 1 && exponent[digits] == '0')
      exponent.erase(digits, 1);
    text = mantissa + "E" + exponent;
  }
  return text;
}
