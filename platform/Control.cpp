#include "platform/Control.h"

#include "platform/Published.h"
#include "platform/ScopeGuards.h"
#include "platform/WinControl.h"

#include <QWidget>

#include <algorithm>

namespace {

const TEnumNames<TAlign> AlignNames = {{TAlign::alNone, "alNone"},     {TAlign::alTop, "alTop"},
                                       {TAlign::alBottom, "alBottom"}, {TAlign::alLeft, "alLeft"},
                                       {TAlign::alRight, "alRight"},   {TAlign::alClient, "alClient"}};

}  // namespace

const TClassInfo& TControl::StaticClassInfo() {
  return DefineClass<TControl, TComponent>("TControl", [](TPublished<TControl>& p) {
    p.Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enumeration("Align", AlignNames, &TControl::Align, &TControl::SetAlign, {},
                     [](const TControl& c) { return c.Align() != c.DefaultAlign(); })
        .Colour("Color", &TControl::Color, &TControl::SetColor, {},
                [](const TControl& c) { return c.Color() != c.DefaultColor(); })
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Object("Font", &TControl::Font, [](const TControl& c) { return !c.ParentFont(); })
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
  });
}

TControl::TControl(TComponent* owner) : TComponent(owner), Font_(std::make_unique<TFont>()) {
  Font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  // Deleted without Free: still leave the parent's list. The widget goes with the object.
  if (Parent_) std::erase(Parent_->Controls_, this);
}

void TControl::Destroying() {
  SetParent(nullptr);
  TComponent::Destroying();
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* control = dynamic_cast<TWinControl*>(parent)) SetParent(control);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == Parent_) return;
  if (parent == this) throw EComponentError("A control cannot be its own parent");
  if (Parent_) {
    std::erase(Parent_->Controls_, this);
    Parent_->AlignControls();
  }
  Parent_ = parent;
  Widget().setParent(parent ? &parent->Widget() : nullptr);
  if (parent) {
    parent->Controls_.push_back(this);
    ParentFontChanged();
    ApplyColor();
    Widget().setVisible(Visible_);
    parent->AlignControls();
  }
}

int TControl::Left() const { return Widget().x(); }
int TControl::Top() const { return Widget().y(); }
int TControl::Width() const { return Widget().width(); }
int TControl::Height() const { return Widget().height(); }

void TControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

void TControl::SetBounds(int left, int top, int width, int height) {
  QWidget& widget = Widget();
  if (widget.isWindow()) {
    // A window's position is that of its frame, its size that of its client area.
    widget.move(left, top);
    widget.resize(std::max(width, 0), std::max(height, 0));
  } else {
    widget.setGeometry(left, top, std::max(width, 0), std::max(height, 0));
  }
  if (Parent_) Parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
  if (align == Align_) return;
  Align_ = align;
  if (Parent_) Parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  if (Parent_) {
    Widget().setVisible(visible);
    Parent_->AlignControls();
  }
}

bool TControl::Enabled() const { return Widget().isEnabled(); }

void TControl::SetEnabled(bool enabled) { Widget().setEnabled(enabled); }

void TControl::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  ApplyColor();
}

void TControl::ApplyColor() {
  QWidget& widget = Widget();
  QPalette palette = widget.palette();
  palette.setColor(widget.backgroundRole(), ToQColor(Color_, QPalette()));
  widget.setPalette(palette);
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont == ParentFont_) return;
  ParentFont_ = parentFont;
  if (parentFont) ParentFontChanged();
}

void TControl::FontChanged() {
  // A font set on the control itself, not taken over from the parent, is the control's own.
  if (!FollowingParentFont) ParentFont_ = false;
  ApplyFont();
}

void TControl::ParentFontChanged() {
  if (!ParentFont_ || !Parent_) return;
  FollowingParentFont = true;
  Font_->Assign(*Parent_->Font());
  FollowingParentFont = false;
  ApplyFont();
}

void TControl::ApplyFont() {
  QWidget& widget = Widget();
  widget.setFont(Font_->ToQFont());
  QPalette palette = widget.palette();
  const QColor text = ToQColor(Font_->Color(), QPalette());
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, text);
  widget.setPalette(palette);
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == Caption_) return;
  Caption_ = caption;
  CaptionChanged();
}

const TClassInfo& TWinControl::StaticClassInfo() { return DefineClass<TWinControl, TControl>("TWinControl"); }

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return Controls_[static_cast<size_t>(index)];
}

QRect TWinControl::ClientRect() const { return Widget().contentsRect(); }

void TWinControl::Loaded() {
  TControl::Loaded();
  AlignControls();
}

void TWinControl::AlignControls() {
  // While its layout is read, children arrive with bounds and Align in any order: place them once
  // all are in.
  if (Aligning || IsLoading()) return;
  const TLkFlagGuard aligning(Aligning);
  ArrangeControls();
}

void TWinControl::ArrangeControls() {
  QRect rest = ClientRect();
  auto aligned = [this](TAlign align) {
    std::vector<TControl*> controls;
    for (TControl* control : Controls_)
      if (control->Align_ == align && control->Visible_) controls.push_back(control);
    return controls;
  };
  auto place = [](TControl* control, const QRect& bounds) { control->Widget().setGeometry(bounds); };

  auto tops = aligned(TAlign::alTop);
  std::stable_sort(tops.begin(), tops.end(), [](TControl* a, TControl* b) { return a->Top() < b->Top(); });
  for (TControl* c : tops) {
    place(c, {rest.left(), rest.top(), rest.width(), c->Height()});
    rest.setTop(rest.top() + c->Height());
  }
  auto bottoms = aligned(TAlign::alBottom);
  std::stable_sort(bottoms.begin(), bottoms.end(), [](TControl* a, TControl* b) { return a->Top() > b->Top(); });
  for (TControl* c : bottoms) {
    place(c, {rest.left(), rest.bottom() + 1 - c->Height(), rest.width(), c->Height()});
    rest.setBottom(rest.bottom() - c->Height());
  }
  auto lefts = aligned(TAlign::alLeft);
  std::stable_sort(lefts.begin(), lefts.end(), [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
  for (TControl* c : lefts) {
    place(c, {rest.left(), rest.top(), c->Width(), rest.height()});
    rest.setLeft(rest.left() + c->Width());
  }
  auto rights = aligned(TAlign::alRight);
  std::stable_sort(rights.begin(), rights.end(), [](TControl* a, TControl* b) { return a->Left() > b->Left(); });
  for (TControl* c : rights) {
    place(c, {rest.right() + 1 - c->Width(), rest.top(), c->Width(), rest.height()});
    rest.setRight(rest.right() - c->Width());
  }
  for (TControl* c : aligned(TAlign::alClient)) place(c, rest);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
  for (TControl* control : Controls_)
    if (control->Owner() == root) visit(control);
}

void TWinControl::ApplyFont() {
  TControl::ApplyFont();
  for (TControl* control : Controls_) control->ParentFontChanged();
}
