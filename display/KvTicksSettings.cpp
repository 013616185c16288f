#include "display/KvTicksSettings.h"

const TClassInfo& TKvTicksStart::StaticClassInfo() {
  return DefineClass<TKvTicksStart, TKvDisplaySettings>("TKvTicksStart", [](TPublished<TKvTicksStart>& p) {
    using C = TKvTicksStart;
    p.Enumeration("Mode", MajorTicksModeNames(), &C::Mode, &C::SetMode, TKvMajorTicksMode::mtmAuto)
        .Float("StartFrom", &C::StartFrom, &C::SetStartFrom, 0.0);
  });
}

const TClassInfo& TKvMajorTicks::StaticClassInfo() {
  return DefineClass<TKvMajorTicks, TKvDisplaySettings>("TKvMajorTicks", [](TPublished<TKvMajorTicks>& p) {
    using C = TKvMajorTicks;
    p.Enumeration("Mode", MajorTicksModeNames(), &C::Mode, &C::SetMode, TKvMajorTicksMode::mtmAuto)
        .Float("Step", &C::Step, &C::SetStep, 10.0)
        .Object("StartFrom", &C::StartFrom);
  });
}

TKvMajorTicks::TKvMajorTicks(TKvDataDisplay& display, TPersistent* owner)
    : TKvDisplaySettings(display, owner, TKvChangeNeed::Relayout), StartFrom_(display, this) {
  StartFrom_.OnChange = [this](TObject*) { Changed(); };
}

const TClassInfo& TKvMinorTicks::StaticClassInfo() {
  return DefineClass<TKvMinorTicks, TKvDisplaySettings>("TKvMinorTicks", [](TPublished<TKvMinorTicks>& p) {
    p.Unsigned("Count", &TKvMinorTicks::Count, &TKvMinorTicks::SetCount, 0u);
  });
}
