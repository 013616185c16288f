#include "display/KvDisplayChannel.h"

#include "display/KvDataDisplay.h"

#include <algorithm>

const TEnumNames<TKvChannelMode>& ChannelModeNames() {
  static const TEnumNames<TKvChannelMode> names = {{TKvChannelMode::cmLine, "cmLine"},
                                                   {TKvChannelMode::cmStep, "cmStep"},
                                                   {TKvChannelMode::cmBar, "cmBar"},
                                                   {TKvChannelMode::cmPoint, "cmPoint"}};
  return names;
}

const TClassInfo& TKvDisplayChannel::StaticClassInfo() {
  return DefineClass<TKvDisplayChannel, TKvDisplayCollectionItem>(
      "TKvDisplayChannel", [](TPublished<TKvDisplayChannel>& p) {
        using C = TKvDisplayChannel;
        p.Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Colour("Color", &C::Color, &C::SetColor)
            .Integer("Width", &C::Width, &C::SetWidth, 1)
            .Enumeration("ChannelMode", ChannelModeNames(), &C::ChannelMode, &C::SetChannelMode,
                         TKvChannelMode::cmLine);
      });
}

TKvDisplayChannel::TKvDisplayChannel(TCollection& collection, TKvDataDisplay& display)
    : TKvDisplayCollectionItem(collection, display) {}

void TKvDisplayChannel::SetVisible(bool visible) {
  if (visible == Visible_.load()) return;
  Visible_.store(visible);
  Display().Relayout();
}

void TKvDisplayChannel::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Display().Redraw();
}

void TKvDisplayChannel::SetWidth(int32_t width) {
  width = std::clamp(width, 1, MaxWidth);
  if (width == Width_) return;
  Width_ = width;
  Display().Redraw();
}

void TKvDisplayChannel::SetChannelMode(TKvChannelMode mode) {
  if (mode == ChannelMode_) return;
  ChannelMode_ = mode;
  Display().Redraw();
}

void TKvDisplayChannel::SetXAxisIndex(int32_t index) {
  if (index == XAxisIndex_) return;
  XAxisIndex_ = index;
  Display().Relayout();
}

void TKvDisplayChannel::SetYAxisIndex(int32_t index) {
  if (index == YAxisIndex_) return;
  YAxisIndex_ = index;
  Display().Relayout();
}
