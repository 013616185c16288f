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
  return DefineClass<TKvDisplayChannel, TLkExtCollectionItem>(
      "TKvDisplayChannel", [](TPublished<TKvDisplayChannel>& p) {
        using C = TKvDisplayChannel;
        p.String("Name", &C::Name, &C::SetName)
            .Boolean("Visible", &C::Visible, &C::SetVisible, true)
            .Colour("Color", &C::Color, &C::SetColor)
            .Integer("Width", &C::Width, &C::SetWidth, 1)
            .Enumeration("ChannelMode", ChannelModeNames(), &C::ChannelMode, &C::SetChannelMode,
                         TKvChannelMode::cmLine);
      });
}

TKvDisplayChannel::TKvDisplayChannel(TCollection& collection, TKvDataDisplay& display)
    : TLkExtCollectionItem(collection), Display_(display) {}

void TKvDisplayChannel::SetName(const std::string& name) {
  if (name == Name_) return;
  Name_ = name;
  Display_.Redraw();
}

void TKvDisplayChannel::SetVisible(bool visible) {
  if (visible == Visible_.load()) return;
  Visible_.store(visible);
  Display_.Relayout();
}

void TKvDisplayChannel::SetColor(TColor color) {
  if (color == Color_) return;
  Color_ = color;
  Display_.Redraw();
}

void TKvDisplayChannel::SetWidth(int32_t width) {
  width = std::clamp(width, 1, MaxWidth);
  if (width == Width_) return;
  Width_ = width;
  Display_.Redraw();
}

void TKvDisplayChannel::SetChannelMode(TKvChannelMode mode) {
  if (mode == ChannelMode_) return;
  ChannelMode_ = mode;
  Display_.Redraw();
}

void TKvDisplayChannel::SetXAxisIndex(int32_t index) {
  if (index == XAxisIndex_) return;
  XAxisIndex_ = index;
  Display_.Relayout();
}

void TKvDisplayChannel::SetYAxisIndex(int32_t index) {
  if (index == YAxisIndex_) return;
  YAxisIndex_ = index;
  Display_.Relayout();
}
