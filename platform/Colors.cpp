#include "platform/Colors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TColor, const char*>, 33> Names = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
}};

QPalette::ColorRole SystemRole(TColor color) {
  switch (color) {
    case clWindow: return QPalette::Base;
    case clWindowText: return QPalette::Text;
    case clHighlight: return QPalette::Highlight;
    case clHighlightText: return QPalette::HighlightedText;
    case clBtnShadow: return QPalette::Dark;
    case clBtnText: return QPalette::ButtonText;
    case clBtnHighlight: return QPalette::Light;
    case cl3DDkShadow: return QPalette::Shadow;
    case cl3DLight: return QPalette::Midlight;
    case clInfoText: return QPalette::ToolTipText;
    case clInfoBk: return QPalette::ToolTipBase;
    case clWindowFrame: return QPalette::Shadow;
    case clActiveCaption: return QPalette::Highlight;
    default: return QPalette::Button;  // button face, scroll bar, desktop and the rest
  }
}

}  // namespace

std::optional<std::string> ColorToIdent(TColor color) {
  for (const auto& [value, name] : Names)
    if (value == color) return name;
  return std::nullopt;
}

std::optional<TColor> IdentToColor(const std::string& name) {
  for (const auto& [value, each] : Names)
    if (name == each) return value;
  return std::nullopt;
}

QColor ToQColor(TColor color, const QPalette& palette) {
  if (color == clGrayText) return palette.color(QPalette::Disabled, QPalette::Text);
  if (color < 0) return palette.color(SystemRole(color));
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
