#pragma once

#include "display/KvDisplayView.h"
#include "platform/Collection.h"
#include "platform/Colors.h"

#include <memory>
#include <string>
#include <utility>

class TKvDataChart;

template <class Axis>
class TKvAdditionalAxes;

// An item of a main axis's additional axes: it owns one axis, laid out just before the axis it
// follows (the main axis for the first, else the one made before it), so that each new axis lies
// further out. The axis is captioned with the main axis's kind and the item's number; its grid
// is grey, its zero line silver, both off.
template <class Axis>
class TKvAdditionalAxisItem : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  explicit TKvAdditionalAxisItem(TCollection& collection) : TLkExtCollectionItem(collection) {
    auto& axes = static_cast<TKvAdditionalAxes<Axis>&>(collection);
    const int count = axes.Count();
    TKvDisplayView* follows = count == 0 ? &axes.MainAxis() : static_cast<TKvDisplayView*>(&axes.AxisAt(count - 1));
    Axis_ = std::make_unique<Axis>(axes.Chart(), axes.CaptionPrefix() + std::to_string(count + 1), clGray, clSilver,
                                   follows);
    Axis_->DataView()->Lines()->SetVisible(false);
    Axis_->DataView()->ZeroLine()->SetVisible(false);
  }

  Axis* GetAxis() const { return Axis_.get(); }

private:
  std::unique_ptr<Axis> Axis_;
};

// The additional axes of a main axis. Adding or deleting one relayouts the display, as the axis
// joins or leaves its views.
template <class Axis>
class TKvAdditionalAxes : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO

  TKvAdditionalAxes(TKvDisplayView& main, TKvDataChart& chart, std::string captionPrefix)
      : TLkExtCollection(&main, ItemsOf<TKvAdditionalAxisItem<Axis>>()),
        Main(main),
        Chart_(chart),
        Prefix(std::move(captionPrefix)) {}

  TKvDisplayView& MainAxis() const { return Main; }
  TKvDataChart& Chart() const { return Chart_; }
  const std::string& CaptionPrefix() const { return Prefix; }
  Axis& AxisAt(int index) const { return *static_cast<TKvAdditionalAxisItem<Axis>&>(Items(index)).GetAxis(); }

private:
  TKvDisplayView& Main;
  TKvDataChart& Chart_;
  std::string Prefix;
};
