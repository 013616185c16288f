#include "vector/Fft.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// A failed allocation must come back as null (and the primitive as its status) here, as it does
// without the sanitizer, instead of ending the process.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// The data segment (private writable memory) of this process, in bytes.
rlim_t DataSize() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmData:", 0) == 0) return rlim_t(std::stoull(line.substr(7))) * 1024;
  return 0;
}

// Runs `body` in a child process whose memory may grow by at most `headroom` bytes more; returns
// the child's exit code.
template <typename Body>
int ExitCodeWithMemoryLimit(rlim_t headroom, Body body) {
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{DataSize() + headroom, RLIM_INFINITY};
    if (setrlimit(RLIMIT_DATA, &limit) != 0) _exit(255);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 254;
}

// Orders whose tables need far more than 256 MiB must fail with the allocation status and create
// no record; their sizes (up to 2^35 bytes) overflow 32 bits, so a size computed there would
// have asked for a small block and "succeeded".
TEST(FftInit, OrdersTooLargeForTheMemoryReturnTheAllocationStatus) {
  const int exitCode = ExitCodeWithMemoryLimit(rlim_t(256) << 20, [] {
    char untouched = 0;
    auto* const realUntouched = reinterpret_cast<IppsFFTSpec_R_64f*>(&untouched);
    auto* const complexUntouched = reinterpret_cast<IppsFFTSpec_C_64fc*>(&untouched);
    int code = 0;
    for (int order = 25; order <= FftMaxOrder; ++order) {
      ++code;
      IppsFFTSpec_R_64f* real = realUntouched;
      if (ippsFFTInitAlloc_R_64f(&real, order, FftNoDivision, HintNone) != StsMemoryAllocation) return code;
      if (real != realUntouched) return code;
      ++code;
      IppsFFTSpec_C_64fc* complex = complexUntouched;
      if (ippsFFTInitAlloc_C_64fc(&complex, order, FftDivBySqrtN, HintNone) != StsMemoryAllocation) return code;
      if (complex != complexUntouched) return code;
    }
    // What fits still works under the same limit.
    IppsFFTSpec_R_64f* fits = nullptr;
    if (ippsFFTInitAlloc_R_64f(&fits, 16, FftNoDivision, HintNone) != StsNoError) return 100;
    return ippsFFTFree_R_64f(fits) == StsNoError ? 0 : 101;
  });
  // Odd codes: a real record of order 25 + (code - 1) / 2; even: a complex one; 100: order 16.
  EXPECT_EQ(exitCode, 0);
}

}  // namespace
