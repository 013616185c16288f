#pragma once

#include "display/KvDisplaySettings.h"
#include "display/KvTickSteps.h"

// Where the major ticks start: from 0 and the range (mtmAuto), or from ±StartFrom.
class TKvTicksStart : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvTicksStart(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  TKvMajorTicksMode Mode() const { return Mode_; }
  void SetMode(TKvMajorTicksMode mode) { Update(Mode_, mode); }
  double StartFrom() const { return StartFrom_; }
  void SetStartFrom(double start) { Update(StartFrom_, start); }

private:
  TKvMajorTicksMode Mode_ = TKvMajorTicksMode::mtmAuto;
  double StartFrom_ = 0;
};

// The major ticks of an axis: how their step is found, the set step, where they start.
class TKvMajorTicks : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvMajorTicks(TKvDataDisplay& display, TPersistent* owner);

  TKvMajorTicksMode Mode() const { return Mode_; }
  void SetMode(TKvMajorTicksMode mode) { Update(Mode_, mode); }
  double Step() const { return Step_; }
  // A step that is not above 0 (or not a number) is stored as 1.
  void SetStep(double step) { Update(Step_, step > 0 ? step : 1.0); }
  TKvTicksStart* StartFrom() const { return const_cast<TKvTicksStart*>(&StartFrom_); }

private:
  TKvMajorTicksMode Mode_ = TKvMajorTicksMode::mtmAuto;
  double Step_ = 10;
  TKvTicksStart StartFrom_;
};

// How many minor ticks lie between two major ones.
class TKvMinorTicks : public TKvDisplaySettings {
public:
  PUBLISHED_CLASS_INFO

  TKvMinorTicks(TKvDataDisplay& display, TPersistent* owner)
      : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout) {}

  uint32_t Count() const { return Count_; }
  void SetCount(uint32_t count) { Update(Count_, count); }

private:
  uint32_t Count_ = 0;
};
