#pragma once

#include "display/KvAxisMapping.h"
#include "display/KvDisplayView.h"
#include "display/KvTickSteps.h"
#include "display/KvTicksSettings.h"
#include "platform/Event.h"

#include <functional>
#include <string>

// The axis may change the step from `value` on, or leave the tick there out (draw = false).
using TKvCustomStepEvent = void(TObject* axis, double& step, bool& draw, double value);

// An optional view that carries a scale: it chooses the step of its major ticks, walks its ticks
// for itself and for the data view's grid, and follows the mouse over the data view with a mark.
class TKvTrackingOptionalAxis : public TKvOptionalView {
public:
  PUBLISHED_CLASS_INFO

  TKvTrackingOptionalAxis(TKvDataDisplay& display, TKvViewAlign align, TKvDisplayView* before = nullptr);

  bool TrackCursor() const { return TrackCursor_; }
  void SetTrackCursor(bool track);
  TColor TrackColor() const { return TrackColor_; }
  void SetTrackColor(TColor color);
  TKvMajorTicks* MajorTicks() const { return const_cast<TKvMajorTicks*>(&MajorTicks_); }
  TKvMinorTicks* MinorTicks() const { return const_cast<TKvMinorTicks*>(&MinorTicks_); }
  TEvent<TKvCustomStepEvent> OnCustomStep;

  virtual TKvScaleMode GetScaleMode() const { return TKvScaleMode::smLinear; }
  // Whether the axis runs along a vertical edge of the data view.
  virtual bool IsVerticalLayout() const = 0;
  // The pixels its visible range is spread over.
  virtual int GetAxisPixels() const = 0;
  // The visible span in label units, through the logarithmic scale when asked.
  virtual double GetSpan(bool logarithmic) const = 0;
  // How much room a label takes along the axis.
  virtual int GetLabelExtent() const = 0;
  // The fewest pixels a step should take.
  virtual double GetMinTickSpacing() const = 0;
  virtual TKvAxisMapping GetMapping() const = 0;
  // The visible range in label units, which the ticks walk.
  virtual double GetVisibleUnitMin() const = 0;
  virtual double GetVisibleUnitMax() const = 0;
  // The pixels along the axis a tick may lie on: the data view's extent.
  virtual bool IsInsideExtent(int pixel) const = 0;

  // The step of the major ticks, as MajorTicks.Mode says.
  double GetStep() const;
  // Forgets the cached step and relayouts.
  void InvalidateTicks();
  // Every tick of the visible range that lies in the data view, in walking order.
  void ForEachTick(const std::function<void(const TKvTick&)>& onTick) const;

protected:
  // Whether the automatic step is kept until the span, the pixels or the scale change (a change
  // of step may change the labels and so the layout).
  virtual bool CachesStep() const { return false; }

private:
  struct TStepCache {
    bool Valid = false;
    double Step = 1;
    TKvScaleMode Scale = TKvScaleMode::smLinear;
    double Span = 0;
    int Pixels = 0;
  };

  bool TrackCursor_ = true;
  TColor TrackColor_ = clRed;
  TKvMajorTicks MajorTicks_;
  TKvMinorTicks MinorTicks_;
  mutable TStepCache StepCache;
};
