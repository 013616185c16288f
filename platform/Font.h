#pragma once

#include "platform/Colors.h"
#include "platform/Event.h"
#include "platform/Persistent.h"

#include <QFont>

#include <string>

enum TFontStyle : uint32_t { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };

// A control's font as layouts store it: family name, height (negative: character height in pixels),
// style and colour. Each is stored where it differs from the font's defaults: those of the
// controls, or those its owner gives (a display's fonts are white Arial).
class TFont : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  static constexpr const char* DefaultName = "MS Sans Serif";
  static constexpr int DefaultHeight = -11;

  TFont() = default;
  // A font that starts as, and is stored against, these values.
  TFont(std::string name, int height, uint32_t style, TColor color);

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& name);
  int Height() const { return Height_; }
  void SetHeight(int height);
  uint32_t Style() const { return Style_; }
  void SetStyle(uint32_t style);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);

  void Assign(const TPersistent& source) override;
  QFont ToQFont() const;

  // Every change, whoever makes it.
  TEvent<TNotifyEvent> OnChange;

private:
  void Changed() { OnChange(this); }

  struct TValues {
    std::string Name = DefaultName;
    int Height = DefaultHeight;
    uint32_t Style = 0;
    TColor Color = clWindowText;
  };

  TValues Defaults;
  std::string Name_ = Defaults.Name;
  int Height_ = Defaults.Height;
  uint32_t Style_ = Defaults.Style;
  TColor Color_ = Defaults.Color;
};
