#include "buffers/BufferPrimitives.h"
#include "buffers/KvSimpleDataBuffer.h"

#include <algorithm>

TKvRealBuffer::TKvRealBuffer(const double* values, uint32_t count) : TKvRealBuffer(count) {
  if (count > 0) BufferPrimitives().ippsCopy_64f(values, WriteData(), int(count));
}

TKvRealBuffer::TKvRealBuffer(const int16_t* values, uint32_t count) : TKvRealBuffer(count) {
  if (count > 0) BufferPrimitives().ippsConvert_16s64f_Sfs(values, WriteData(), int(count), 0);
}

// Exact conversions that the table has no entry for.
TKvRealBuffer::TKvRealBuffer(const uint16_t* values, uint32_t count) : TKvRealBuffer(count) {
  std::copy_n(values, count, WriteData());
}
TKvRealBuffer::TKvRealBuffer(const uint32_t* values, uint32_t count) : TKvRealBuffer(count) {
  std::copy_n(values, count, WriteData());
}
TKvRealBuffer::TKvRealBuffer(const int32_t* values, uint32_t count) : TKvRealBuffer(count) {
  std::copy_n(values, count, WriteData());
}
TKvRealBuffer::TKvRealBuffer(const float* values, uint32_t count) : TKvRealBuffer(count) {
  std::copy_n(values, count, WriteData());
}

void TKvRealBuffer::CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count,
                           uint32_t destinationIndex) {
  if (!InterfaceOf<IKvRealBuffer>(destination))
    return TKvMemoryBuffer::CopyTo(sourceIndex, destination, count, destinationIndex);
  CopyElements(sourceIndex, destination, count, destinationIndex, sizeof(double),
               [](const uint8_t* source, uint8_t* target, uint32_t bytes) {
                 BufferPrimitives().ippsCopy_64f(reinterpret_cast<const double*>(source),
                                                 reinterpret_cast<double*>(target), int(bytes / sizeof(double)));
               });
}

void TKvIntegerBuffer::CopyTo(uint32_t sourceIndex, IKvDataBuffer& destination, uint32_t count,
                              uint32_t destinationIndex) {
  if (!InterfaceOf<IKvIntegerBuffer>(destination))
    return TKvMemoryBuffer::CopyTo(sourceIndex, destination, count, destinationIndex);
  CopyElements(sourceIndex, destination, count, destinationIndex, sizeof(int32_t), CopyBytes);
}
