#pragma once

// A vendor name exported by a fake library. The binding test only compares addresses, so the
// fakes never run and need no real signature.
#define FAKE_EXPORT(name) \
  extern "C" __attribute__((visibility("default"))) int name() { return 0; }
