#pragma once

#include "platform/Control.h"

#include <QRect>

#include <vector>

// A control that holds other controls. It places its aligned children whenever its size or
// theirs changes, and writes the children owned by the layout's root inside its own block.
class TWinControl : public TControl {
public:
  PUBLISHED_CLASS_INFO

  using TControl::TControl;

  int ControlCount() const { return static_cast<int>(Controls_.size()); }
  TControl* Controls(int index) const;

  // Places the children again (after the control or one of them changed size); it does nothing
  // while it is already at work or while the control is being loaded.
  void AlignControls();

  void Loaded() override;

  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;

protected:
  // The placing itself: the aligned children, top ones in the order of their tops, then bottom,
  // left and right ones from the outside in, then the client-aligned ones in what is left.
  virtual void ArrangeControls();
  // The part of the widget that children fill.
  virtual QRect ClientRect() const;
  void Resized() override { AlignControls(); }
  void ApplyFont() override;

private:
  friend class TControl;
  std::vector<TControl*> Controls_;
  bool Aligning = false;
};
