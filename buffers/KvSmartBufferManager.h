#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// The process's pool of memory areas, sorted into size classes: the sample memory of blocks
// (power-of-two sizes) and the objects that describe blocks and buffers (their object sizes).
// Areas are 32-byte aligned. A size class keeps its returned areas for 8 trim ticks after its
// last use, then gives one back to the heap per tick; trimming runs every 200 ms on the GUI
// thread once a Qt application exists, and through Trim() where none does (tests drive it tick by
// tick).
class TKvSmartBufferManager {
public:
  static constexpr int TrimIntervalMs = 200;
  static constexpr int32_t KeepTicks = 8;

  // The one pool. It is never destroyed: buffers held by static objects may be released at any
  // point of the process's exit.
  static TKvSmartBufferManager& Instance();

  // An area of `size` bytes; none for 0. Throws std::bad_alloc when the heap has none, or when
  // the refusal says so.
  void* Take(uint32_t size);
  // Gives back an area taken with the same size.
  void Return(void* area, uint32_t size);
  // One trim tick.
  void Trim();

  // What one size class holds now; a class that does not exist holds nothing.
  struct TSizeClassState {
    bool Exists = false;
    uint32_t FreeAreas = 0;
    int32_t Countdown = 0;
  };
  TSizeClassState SizeClass(uint32_t size) const;
  // Areas handed out and not yet returned, of every size.
  int64_t AreasInUse() const;

  // A test seam for memory running out where it is hard to bring about: asked on the taking thread
  // before every area is handed out; when it answers true the pool refuses, as an exhausted heap
  // would. Null (the default) refuses nothing.
  using TRefusal = bool (*)(uint32_t size);
  static void SetRefusal(TRefusal refusal);

private:
  struct TSizeClass {
    uint32_t Size;
    std::vector<void*> Free;
    int32_t Countdown;
  };

  TKvSmartBufferManager() = default;
  TSizeClass& Find(uint32_t size);  // created when missing; Guard held

  mutable std::mutex Guard;
  std::vector<TSizeClass> Classes;
  int64_t InUse = 0;
};

// Objects allocated from the pool, each in the size class of its own size, so that creating and
// dropping buffers touches the heap only when a size class runs empty.
class TKvPooled {
public:
  static void* operator new(std::size_t size);
  static void operator delete(void* object, std::size_t size);
};
