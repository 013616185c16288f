#pragma once

#include <atomic>
#include <utility>

// Counts one nested send (or connect notice) of a pin for as long as it runs.
class TLkDepthGuard {
public:
  explicit TLkDepthGuard(std::atomic<int>& depth) : Depth(depth) { ++Depth; }
  ~TLkDepthGuard() { --Depth; }
  TLkDepthGuard(const TLkDepthGuard&) = delete;
  TLkDepthGuard& operator=(const TLkDepthGuard&) = delete;

private:
  std::atomic<int>& Depth;
};

// Sets a flag for as long as it lives and restores what it was.
class TLkFlagGuard {
public:
  explicit TLkFlagGuard(bool& flag) : Flag(flag), Saved(std::exchange(flag, true)) {}
  ~TLkFlagGuard() { Flag = Saved; }
  TLkFlagGuard(const TLkFlagGuard&) = delete;
  TLkFlagGuard& operator=(const TLkFlagGuard&) = delete;

private:
  bool& Flag;
  bool Saved;
};
