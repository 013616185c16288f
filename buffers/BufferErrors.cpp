#include "buffers/BufferErrors.h"

ERangeError ERangeError::Index(uint64_t index) { return ERangeError("Index out of range = " + std::to_string(index)); }

ERangeError ERangeError::Channel(uint32_t channel) {
  return ERangeError("Channel out of range = " + std::to_string(channel));
}

EBufferSizeError::EBufferSizeError(uint64_t bytes)
    : Exception("A buffer of " + std::to_string(bytes) + " bytes is larger than the largest block, 1073741824 bytes") {}
