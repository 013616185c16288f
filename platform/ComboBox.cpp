#include "platform/ComboBox.h"

#include "platform/Published.h"

#include <QAbstractItemView>
#include <QLineEdit>

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TEnumNames<TComboBoxStyle> styles = {{TComboBoxStyle::csDropDown, "csDropDown"},
                                                    {TComboBoxStyle::csDropDownList, "csDropDownList"}};
  return DefineClass<TComboBox, TWinControl>("TComboBox", [](TPublished<TComboBox>& p) {
    p.Enumeration("Style", styles, &TComboBox::Style, &TComboBox::SetStyle, TComboBoxStyle::csDropDown)
        .Integer("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight, 16)
        .Object("Items", &TComboBox::Items)
        .Event("OnChange", &TComboBox::OnChange);
  });
}

TComboBox::TComboBox(TComponent* owner) : TWidgetControl(owner), Items_(std::make_unique<TStrings>()) {
  SetColor(clWindow);
  setGeometry(0, 0, 145, 21);
  SetStyle(Style_);
  Items_->OnChange = [this](TObject*) { ItemsChanged(); };
  QObject::connect(this, &QComboBox::activated, this, [this] { OnChange(this); });
  QObject::connect(this, &QComboBox::editTextChanged, this, [this] {
    if (lineEdit() && lineEdit()->hasFocus()) OnChange(this);
  });
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  Style_ = style;
  setEditable(style == TComboBoxStyle::csDropDown);
}

void TComboBox::SetItemHeight(int height) {
  ItemHeight_ = std::max(height, 1);
  view()->setStyleSheet(QString("QAbstractItemView::item { height: %1px; }").arg(ItemHeight_));
}

void TComboBox::ItemsChanged() {
  // The selection stays on its index while that index still exists.
  const QSignalBlocker quiet(this);
  const int index = currentIndex();
  clear();
  for (const std::string& item : Items_->Items()) addItem(QString::fromStdString(item));
  setCurrentIndex(index < count() ? index : -1);
}
