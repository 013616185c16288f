#pragma once

#include "platform/Strings.h"
#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QComboBox>

#include <memory>

enum class TComboBoxStyle { csDropDown, csDropDownList };

// A drop-down list of strings. OnChange runs when the user picks or types, not when code selects.
class TComboBox : public TWidgetControl<QComboBox, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return Style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemHeight() const { return ItemHeight_; }
  void SetItemHeight(int height);
  TStrings* Items() const { return Items_.get(); }
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index) { setCurrentIndex(index); }

  TColor DefaultColor() const override { return clWindow; }

  TEvent<TNotifyEvent> OnChange;

private:
  void ItemsChanged();

  TComboBoxStyle Style_ = TComboBoxStyle::csDropDown;
  int ItemHeight_ = 16;
  std::unique_ptr<TStrings> Items_;
};
