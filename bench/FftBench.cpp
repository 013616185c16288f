// Our transforms against FFTW (double precision, planned with FFTW_MEASURE) on the same input.
#include "vector/FftTransforms.h"
#include "vector/PrimitiveBinding.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace Primitives;

std::vector<double> RandomSamples(std::size_t count) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> value(-1, 1);
  std::vector<double> samples(count);
  for (double& v : samples) v = value(random);
  return samples;
}

// Times one FFTW plan, then destroys it.
void TimePlan(benchmark::State& state, fftw_plan plan) {
  for (auto _ : state) {
    fftw_execute(plan);
    benchmark::ClobberMemory();
  }
  fftw_destroy_plan(plan);
}

// Real forward: FFTW's r2c, our transform through the primitive table (what callers run), and
// each of our kernel sets the processor supports.
void FftwRealForward(benchmark::State& state, int order) {
  const int n = 1 << order;
  double* in = fftw_alloc_real(n);
  fftw_complex* out = fftw_alloc_complex(n / 2 + 1);
  const fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE);
  const std::vector<double> samples = RandomSamples(n);
  std::copy(samples.begin(), samples.end(), in);
  TimePlan(state, plan);
  fftw_free(out);
  fftw_free(in);
}

void OursRealForward(benchmark::State& state, int order, const Own::TFftKernels* kernels) {
  const TPrimitiveTable& table = BoundPrimitives();
  IppsFFTSpec_R_64f* spec = nullptr;
  if (table.Audio.ippsFFTInitAlloc_R_64f(&spec, order, FftDivForwardByN, HintAccurate) != StsNoError)
    return state.SkipWithError("init failed");
  const std::vector<double> samples = RandomSamples(std::size_t(1) << order);
  std::vector<double> spectrum(samples.size() + 2);
  const auto& record = *reinterpret_cast<const Own::TFftRecord*>(spec);
  for (auto _ : state) {
    if (kernels)
      Own::ForwardReal(record, *kernels, samples.data(), spectrum.data());
    else
      table.Audio.ippsFFTFwd_RToCCS_64f(samples.data(), spectrum.data(), spec, nullptr);
    benchmark::ClobberMemory();
  }
  table.Audio.ippsFFTFree_R_64f(spec);
}

void FftwComplexForward(benchmark::State& state, int order) {
  const int n = 1 << order;
  fftw_complex* in = fftw_alloc_complex(n);
  fftw_complex* out = fftw_alloc_complex(n);
  const fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
  const std::vector<double> samples = RandomSamples(2 * n);
  std::copy(samples.begin(), samples.end(), &in[0][0]);
  TimePlan(state, plan);
  fftw_free(out);
  fftw_free(in);
}

void OursComplexForward(benchmark::State& state, int order) {
  const TPrimitiveTable& table = BoundPrimitives();
  IppsFFTSpec_C_64fc* spec = nullptr;
  if (table.Buffer.ippsFFTInitAlloc_C_64fc(&spec, order, FftNoDivision, HintAccurate) != StsNoError)
    return state.SkipWithError("init failed");
  const std::vector<double> samples = RandomSamples(std::size_t(2) << order);
  std::vector<Ipp64fc> spectrum(std::size_t(1) << order);
  const auto* src = reinterpret_cast<const Ipp64fc*>(samples.data());
  for (auto _ : state) {
    table.Buffer.ippsFFTFwd_CToC_64fc(src, spectrum.data(), spec, nullptr);
    benchmark::ClobberMemory();
  }
  table.Buffer.ippsFFTFree_C_64fc(spec);
}

const bool Registered = [] {
  for (int order : {9, 10, 12, 16}) {
    const std::string name = "FFT real forward, order " + std::to_string(order) + "/";
    benchmark::RegisterBenchmark((name + "FFTW r2c (reference)").c_str(), FftwRealForward, order);
    benchmark::RegisterBenchmark((name + "ours").c_str(), OursRealForward, order, nullptr);
    for (const Own::TFftKernels* kernels : Own::SupportedFftKernels())
      benchmark::RegisterBenchmark((name + "ours, " + kernels->Name + " kernels").c_str(), OursRealForward, order,
                                   kernels);
  }
  const std::string name = "FFT complex forward, order 9/";
  benchmark::RegisterBenchmark((name + "FFTW (reference)").c_str(), FftwComplexForward, 9);
  benchmark::RegisterBenchmark((name + "ours").c_str(), OursComplexForward, 9);
  return true;
}();

}  // namespace
