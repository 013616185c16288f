// A real source drives a float sink through a link, with the installed headers and libraries only.
#include "pins/LkStdTypes.h"

int main() {
  const std::unique_ptr<TComponent, TComponentDeleter> owner(new TComponent(nullptr));
  const TLkPinPtr<TLkRealSourcePin> source(new TLkRealSourcePin(owner.get()));
  const TLkPinPtr<TLkFloatSinkPin> sink(new TLkFloatSinkPin(owner.get(), nullptr, nullptr));
  if (!sink->Connect(source.get())) return 1;
  source->SetValue(2.25);
  return sink->Value() == 2.25f ? 0 : 1;
}
