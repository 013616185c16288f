#pragma once

#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Event.h"
#include "platform/Font.h"

#include <memory>
#include <string>

class QWidget;
class TWinControl;

// How a control is placed in its parent: pinned to a side (in the order top, bottom, left, right,
// then what is left for the client-aligned control) or where its bounds say.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A visible control of a window: a component that is a Qt widget. Its bounds are the widget's
// geometry within its parent control; its font follows the parent's unless set. It stores its
// bounds, Align, Color, Enabled, Font, ParentFont and Visible; classes that show a caption or
// raise OnClick publish those themselves.
class TControl : public TComponent {
public:
  PUBLISHED_CLASS_INFO

  explicit TControl(TComponent* owner);
  ~TControl() override;

  // The widget this control is.
  QWidget& Widget() const { return *Widget_; }

  TWinControl* Parent() const { return Parent_; }
  void SetParent(TWinControl* parent);

  int Left() const;
  void SetLeft(int left);
  int Top() const;
  void SetTop(int top);
  int Width() const;
  void SetWidth(int width);
  int Height() const;
  void SetHeight(int height);
  void SetBounds(int left, int top, int width, int height);

  TAlign Align() const { return Align_; }
  void SetAlign(TAlign align);
  virtual TAlign DefaultAlign() const { return TAlign::alNone; }
  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The background; DefaultColor is what the class uses when none is stored.
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  virtual TColor DefaultColor() const { return clBtnFace; }

  TFont* Font() const { return Font_.get(); }
  bool ParentFont() const { return ParentFont_; }
  void SetParentFont(bool parentFont);

  // The text a control shows (a caption, a button's label, an edit's text).
  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& caption);

  TEvent<TNotifyEvent> OnClick;

  void SetParentComponent(TComponent* parent) override;

protected:
  // Called once by the class that joins the control with its widget.
  void SetWidget(QWidget& widget) { Widget_ = &widget; }
  void Destroying() override;
  // The widget's size changed.
  virtual void Resized() {}
  // Caption, colour or font changed: show them.
  virtual void CaptionChanged() {}
  virtual void ApplyColor();
  virtual void ApplyFont();

private:
  friend class TWinControl;
  void FontChanged();
  void ParentFontChanged();

  QWidget* Widget_ = nullptr;
  TWinControl* Parent_ = nullptr;
  TAlign Align_ = TAlign::alNone;
  bool Visible_ = true;
  TColor Color_ = clBtnFace;
  std::unique_ptr<TFont> Font_;
  bool ParentFont_ = true;
  bool FollowingParentFont = false;
  std::string Caption_;
};
