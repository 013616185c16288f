#pragma once

#include "display/KvDisplayCollectionItem.h"
#include "platform/Colors.h"
#include "platform/Published.h"

#include <atomic>
#include <cstdint>
#include <string>

class TKvDataDisplay;

// How a channel joins its samples.
enum class TKvChannelMode { cmLine, cmStep, cmBar, cmPoint };
const TEnumNames<TKvChannelMode>& ChannelModeNames();

// A channel of a display: a named trace with its colour, pen width, drawing mode and the axes it
// is drawn against (0 the main axis, k the k-th additional one). Any change redraws the display;
// one that moves ranges (visibility, axes) relayouts it.
class TKvDisplayChannel : public TKvDisplayCollectionItem {
public:
  PUBLISHED_CLASS_INFO

  static constexpr int32_t MaxWidth = 2000;

  TKvDisplayChannel(TCollection& collection, TKvDataDisplay& display);

  // Read by the delivering threads too: an invisible channel holds back no other.
  bool Visible() const { return Visible_.load(); }
  void SetVisible(bool visible);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  int32_t Width() const { return Width_; }
  // Clamped to 1 … MaxWidth.
  void SetWidth(int32_t width);
  TKvChannelMode ChannelMode() const { return ChannelMode_; }
  void SetChannelMode(TKvChannelMode mode);
  int32_t XAxisIndex() const { return XAxisIndex_; }
  void SetXAxisIndex(int32_t index);
  int32_t YAxisIndex() const { return YAxisIndex_; }
  void SetYAxisIndex(int32_t index);

private:
  std::atomic<bool> Visible_{true};
  TColor Color_ = clRed;
  int32_t Width_ = 1;
  TKvChannelMode ChannelMode_ = TKvChannelMode::cmLine;
  int32_t XAxisIndex_ = 0;
  int32_t YAxisIndex_ = 0;
};
