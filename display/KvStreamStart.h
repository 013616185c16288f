#pragma once

#include "pins/LkOperations.h"

#include <optional>

// What a display learns from the start of a stream: its sample rate (10000 when the start
// carries none) and whether its buffers are spectra.
struct TKvStreamStart {
  double Rate = 10000;
  bool Spectrum = false;
};

// None when the operation starts no stream.
inline std::optional<TKvStreamStart> StreamStartOf(TLkNotifyOperation& operation) {
  if (!OperationAs<TLkStartOperation>(operation)) return std::nullopt;
  TKvStreamStart start;
  if (auto* sampled = OperationAs<TLkStartSampleRateOperation>(operation)) start.Rate = sampled->SampleRate;
  else if (auto* rated = OperationAs<TLkStartRateOperation>(operation)) start.Rate = rated->Rate;
  start.Spectrum = OperationAs<TLkStartSpectrumOperation>(operation) != nullptr;
  return start;
}
