#include "buffers/DnSampleCoding.h"
#include "buffers/DnSimpleAudioBuffer.h"

#include "vector/PrimitiveBinding.h"

#include <algorithm>

namespace {

using namespace Primitives;
using TOperation = TDnAudioBuffer::TOperation;

// The arithmetic of 8, 24 and 32-bit samples on their signed values, in 64 bits so that nothing
// overflows; the container keeps the low bits. A zero divisor gives the zero level.
int64_t Apply(TOperation operation, int64_t a, int64_t b) {
  switch (operation) {
    case TOperation::Add: return a + b;
    case TOperation::Sub: return a - b;
    case TOperation::Mul: return a * b;
    case TOperation::Div: return b == 0 ? 0 : a / b;
  }
  return a;
}

// `count` samples `step` bytes apart, each replaced by operation(sample, value(i)).
template <class Value>
void ApplyEach(TOperation operation, uint8_t* first, int step, uint32_t count, uint32_t container, Value value) {
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t* sample = first + int64_t(i) * step;
    DnSamples::WriteValue(sample, container, Apply(operation, DnSamples::ReadValue(sample, container), value(i)));
  }
}

using TImage16s = IppStatus (*)(const Ipp16s*, int, Ipp16s*, int, IppiSize, int);

TImage16s Image16s(TOperation operation) {
  const TAudioBufferPrimitives& table = BoundPrimitives().AudioBuffer;
  const TImage16s primitives[] = {table.ippiAdd_16s_C1IRSfs, table.ippiSub_16s_C1IRSfs, table.ippiMul_16s_C1IRSfs,
                                  table.ippiDiv_16s_C1IRSfs};
  return primitives[int(operation)];
}

// A 16-bit channel with another: the saturating image primitives; where the divisor was 0 the
// result is the zero level, as in the other containers, not the primitive's saturated value.
void Combine16(TOperation operation, const uint8_t* other, int otherStep, uint8_t* own, int ownStep, int frames) {
  const auto* source = reinterpret_cast<const Ipp16s*>(other);
  if (Image16s(operation)(source, otherStep, reinterpret_cast<Ipp16s*>(own), ownStep, {1, frames}, 0) != StsDivByZero)
    return;
  for (int frame = 0; frame < frames; ++frame)
    if (DnSamples::ReadRaw(other + int64_t(frame) * otherStep, 16) == 0)
      DnSamples::WriteRaw(own + int64_t(frame) * ownStep, 16, 0);
}

}  // namespace

void TDnAudioBuffer::Combine(TOperation operation, IDnAudioBuffer& other) {
  TDnAudioBuffer& partner = static_cast<TDnAudioBuffer&>(other.GetInstance());
  const uint32_t frames = std::min(GetCount(), partner.GetCount());
  if (frames == 0) return;
  if (partner.Format.ContainerBits != Format.ContainerBits)
    throw EAudioFormatError("Audio samples of " + std::to_string(Format.ContainerBits) + " and " +
                            std::to_string(partner.Format.ContainerBits) + "-bit containers cannot be combined");
  // This buffer first: when the other is this buffer, it must read the copy it writes.
  uint8_t* own = ModifyData();
  const uint8_t* theirs = partner.ReadData();
  DnSamples::TChannelPairs channels;
  if (partner.Format.Channels == 1)
    for (uint32_t channel = 0; channel < Format.Channels; ++channel)
      channels.Pairs[channels.PairCount++] = {0, channel};
  else
    channels = DnSamples::PairBySpeaker(partner.Format.ChannelMask, partner.Format.Channels, Format.ChannelMask,
                                        Format.Channels);
  const uint32_t container = Format.ContainerBits;
  for (uint32_t i = 0; i < channels.PairCount; ++i) {
    const uint8_t* source = partner.SampleAt(theirs, 0, channels.Pairs[i].Source);
    uint8_t* destination = SampleAt(own, 0, channels.Pairs[i].Destination);
    const int sourceStep = partner.Format.BlockAlign, step = Format.BlockAlign;
    if (container == 16) {
      Combine16(operation, source, sourceStep, destination, step, int(frames));
      continue;
    }
    ApplyEach(operation, destination, step, frames, container,
              [&](uint32_t frame) { return DnSamples::ReadValue(source + int64_t(frame) * sourceStep, container); });
  }
}

void TDnAudioBuffer::Add(IDnAudioBuffer& other) { Combine(TOperation::Add, other); }
void TDnAudioBuffer::Sub(IDnAudioBuffer& other) { Combine(TOperation::Sub, other); }
void TDnAudioBuffer::Mul(IDnAudioBuffer& other) { Combine(TOperation::Mul, other); }
void TDnAudioBuffer::Div(IDnAudioBuffer& other) { Combine(TOperation::Div, other); }

void TDnAudioBuffer::ApplyConst(TOperation operation, int32_t value, std::optional<uint32_t> channel) {
  if (channel) CheckChannel(*channel);
  const uint32_t frames = GetCount();
  if (frames == 0) return;
  uint8_t* data = ModifyData();
  const TAudioBufferPrimitives& table = BoundPrimitives().AudioBuffer;
  const int samples = int(frames * Format.Channels), rows = int(frames), step = Format.BlockAlign;
  const TSampleRun run = Run(data, channel);
  uint8_t* first = run.First;
  const int op = int(operation);
  switch (Format.ContainerBits) {
    case 8: {
      const auto byte = Ipp8u(value);
      if (channel) {
        decltype(table.ippiAddC_8u_C1IRSfs) const columns[] = {table.ippiAddC_8u_C1IRSfs, table.ippiSubC_8u_C1IRSfs,
                                                               table.ippiMulC_8u_C1IRSfs, table.ippiDivC_8u_C1IRSfs};
        columns[op](byte, first, step, {1, rows}, 0);
      } else if (operation == TOperation::Div) {
        table.ippiDivC_8u_C1IRSfs(byte, first, samples, {samples, 1}, 0);
      } else {
        decltype(table.ippsAddC_8u_ISfs)
            const vectors[] = {table.ippsAddC_8u_ISfs, table.ippsSubC_8u_ISfs, table.ippsMulC_8u_ISfs};
        vectors[op](byte, first, samples, 0);
      }
      return;
    }
    case 16: {
      const auto word = Ipp16s(value);
      auto* words = reinterpret_cast<Ipp16s*>(first);
      if (channel) {
        decltype(table.ippiAddC_16s_C1IRSfs) const columns[] = {table.ippiAddC_16s_C1IRSfs, table.ippiSubC_16s_C1IRSfs,
                                                                table.ippiMulC_16s_C1IRSfs, table.ippiDivC_16s_C1IRSfs};
        columns[op](word, words, step, {1, rows}, 0);
      } else {
        decltype(table.ippsAddC_16s_ISfs) const vectors[] = {table.ippsAddC_16s_ISfs, table.ippsSubC_16s_ISfs,
                                                             table.ippsMulC_16s_ISfs, table.ippsDivC_16s_ISfs};
        vectors[op](word, words, samples, 0);
      }
      return;
    }
  }
  // 24 and 32 bits: as the primitives, a division by 0 changes nothing.
  if (operation == TOperation::Div && value == 0) return;
  ApplyEach(operation, first, run.Step, run.Count, Format.ContainerBits, [value](uint32_t) { return value; });
}

void TDnAudioBuffer::AddConst(int32_t value) { ApplyConst(TOperation::Add, value, {}); }
void TDnAudioBuffer::SubConst(int32_t value) { ApplyConst(TOperation::Sub, value, {}); }
void TDnAudioBuffer::MulConst(int32_t value) { ApplyConst(TOperation::Mul, value, {}); }
void TDnAudioBuffer::DivConst(int32_t value) { ApplyConst(TOperation::Div, value, {}); }
void TDnAudioBuffer::AddConstChannel(uint32_t channel, int32_t value) { ApplyConst(TOperation::Add, value, channel); }
void TDnAudioBuffer::SubConstChannel(uint32_t channel, int32_t value) { ApplyConst(TOperation::Sub, value, channel); }
void TDnAudioBuffer::MulConstChannel(uint32_t channel, int32_t value) { ApplyConst(TOperation::Mul, value, channel); }
void TDnAudioBuffer::DivConstChannel(uint32_t channel, int32_t value) { ApplyConst(TOperation::Div, value, channel); }
