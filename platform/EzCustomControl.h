#pragma once

#include "platform/WinControl.h"

// The base of the display controls: a windowed control that keeps its zero floating-point values
// in the layout through _Floats.
class TEzCustomControl : public TWinControl {
public:
  PUBLISHED_CLASS_INFO

  using TWinControl::TWinControl;

  void DefineProperties(TFiler& filer) override;
};
