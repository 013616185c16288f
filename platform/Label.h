#pragma once

#include "platform/Control.h"
#include "platform/WidgetControl.h"

#include <QLabel>

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A line of text. With AutoSize it takes the size its caption needs.
class TLabel : public TWidgetControl<QLabel, TControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return Layout_; }
  void SetLayout(TTextLayout layout);
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool autoSize);

  void Loaded() override;

protected:
  void CaptionChanged() override;
  void ApplyFont() override;

private:
  void ApplyAlignment();
  void AdjustSize();

  TAlignment Alignment_ = TAlignment::taLeftJustify;
  TTextLayout Layout_ = TTextLayout::tlTop;
  bool AutoSize_ = true;
};
