#pragma once

#include "platform/WidgetControl.h"
#include "platform/WinControl.h"

#include <QSlider>

enum class TTrackBarOrientation { trHorizontal, trVertical };

// A slider over Min .. Max with a tick every Frequency positions. Vertical bars have Min at the
// top. OnChange runs whenever the position changes.
class TTrackBar : public TWidgetControl<QSlider, TWinControl> {
public:
  PUBLISHED_CLASS_INFO

  explicit TTrackBar(TComponent* owner);

  int Min() const { return minimum(); }
  void SetMin(int value) { setMinimum(value); }
  int Max() const { return maximum(); }
  void SetMax(int value) { setMaximum(value); }
  int Position() const { return value(); }
  void SetPosition(int position) { setValue(position); }
  int Frequency() const { return tickInterval(); }
  void SetFrequency(int frequency) { setTickInterval(frequency); }
  TTrackBarOrientation Orientation() const;
  void SetOrientation(TTrackBarOrientation orientation);

  TEvent<TNotifyEvent> OnChange;
};
