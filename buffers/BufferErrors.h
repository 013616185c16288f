#pragma once

#include "platform/Exception.h"

#include <cstdint>
#include <string>

// An index or a channel outside a buffer: "Index out of range = %u", "Channel out of range = %u".
class ERangeError : public Exception {
public:
  using Exception::Exception;
  static ERangeError Index(uint64_t index);
  static ERangeError Channel(uint32_t channel);
};

// A buffer larger than the pool's largest block (2^30 bytes).
class EBufferSizeError : public Exception {
public:
  explicit EBufferSizeError(uint64_t bytes);
};

// A buffer's file could not be created, opened, read or written.
class EFileError : public Exception {
public:
  using Exception::Exception;
};

// Audio buffers whose samples cannot be combined.
class EAudioFormatError : public Exception {
public:
  using Exception::Exception;
};
