#include "vector/Fft.h"
#include "vector/FftTransforms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace Primitives;
using namespace Primitives::Own;

// The transforms run the fastest kernel set the processor has; the others must give the same
// results to the bit, so that results never depend on the machine.
TEST(FftKernelSets, EverySetAgreesWithTheBaselineToTheBit) {
  const auto sets = SupportedFftKernels();
  ASSERT_EQ(sets.front(), &BaselineFftKernels);
  EXPECT_EQ(&FastestFftKernels(), sets.back());
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> value(-1, 1);
  for (int order : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16}) {
    const std::size_t n = std::size_t(1) << order;
    std::vector<double> input(2 * n + 2);
    for (double& v : input) v = value(random);
    IppsFFTSpec_R_64f* realSpec = nullptr;
    IppsFFTSpec_C_64fc* complexSpec = nullptr;
    ASSERT_EQ(ippsFFTInitAlloc_R_64f(&realSpec, order, FftDivBySqrtN, HintNone), StsNoError);
    ASSERT_EQ(ippsFFTInitAlloc_C_64fc(&complexSpec, order, FftDivBySqrtN, HintNone), StsNoError);
    const auto& real = *reinterpret_cast<const TFftRecord*>(realSpec);
    const auto& complex = *reinterpret_cast<const TFftRecord*>(complexSpec);

    // All four transforms, out of place and in place, one after another into one vector.
    const auto run = [&](const TFftKernels& kernels) {
      std::vector<double> results;
      for (bool inPlace : {false, true}) {
        const auto transform = [&](std::size_t outputs, auto call) {
          std::vector<double> src = input, separate(input.size());
          double* dst = inPlace ? src.data() : separate.data();
          call(src.data(), dst);
          results.insert(results.end(), dst, dst + outputs);
        };
        const auto asComplex = [](double* p) { return reinterpret_cast<Ipp64fc*>(p); };
        transform(n + 2, [&](double* s, double* d) { ForwardReal(real, kernels, s, d); });
        transform(n, [&](double* s, double* d) { InverseReal(real, kernels, s, d); });
        transform(2 * n, [&](double* s, double* d) { ForwardComplex(complex, kernels, asComplex(s), asComplex(d)); });
        transform(2 * n, [&](double* s, double* d) { InverseComplex(complex, kernels, asComplex(s), asComplex(d)); });
      }
      return results;
    };
    const std::vector<double> baseline = run(BaselineFftKernels);
    for (const TFftKernels* kernels : sets) {
      const std::vector<double> results = run(*kernels);
      ASSERT_EQ(results.size(), baseline.size());
      EXPECT_EQ(std::memcmp(results.data(), baseline.data(), results.size() * sizeof(double)), 0)
          << kernels->Name << ", order " << order;
    }
    ippsFFTFree_R_64f(realSpec);
    ippsFFTFree_C_64fc(complexSpec);
  }
}

}  // namespace
