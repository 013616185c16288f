// Our transforms against FFTW (double precision, planned with FFTW_MEASURE) on the same input, in
// buffers of the same alignment.
#include "vector/FftTransforms.h"
#include "vector/PrimitiveBinding.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace Primitives;

// Doubles in a block aligned to 64 bytes, as FFTW's own allocator gives them, or starting 32 bytes
// into such a block (the alignment of the system's sample buffers).
struct TBuffer {
  TBuffer(std::size_t count, std::size_t offsetBytes = 0)
      : Block(static_cast<double*>(std::aligned_alloc(64, (count * sizeof(double) + offsetBytes + 63) / 64 * 64))),
        Data(Block + offsetBytes / sizeof(double)) {}
  ~TBuffer() { std::free(Block); }
  TBuffer(const TBuffer&) = delete;
  TBuffer& operator=(const TBuffer&) = delete;
  double* const Block;
  double* const Data;
};

void FillRandom(double* data, std::size_t count) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> value(-1, 1);
  for (std::size_t i = 0; i < count; ++i) data[i] = value(random);
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
  const std::size_t n = std::size_t(1) << order;
  TBuffer in(n), out(n + 2);
  const fftw_plan plan = fftw_plan_dft_r2c_1d(int(n), in.Data, reinterpret_cast<fftw_complex*>(out.Data), FFTW_MEASURE);
  FillRandom(in.Data, n);
  TimePlan(state, plan);
}

// kernels: one of our kernel sets, or null for the primitive table's entry (what callers run).
void OursRealForward(benchmark::State& state, int order, const Own::TFftKernels* kernels, std::size_t offsetBytes) {
  const TPrimitiveTable& table = BoundPrimitives();
  IppsFFTSpec_R_64f* setup = nullptr;
  if (table.Audio.ippsFFTInitAlloc_R_64f(&setup, order, FftDivForwardByN, HintAccurate) != StsNoError)
    return state.SkipWithError("init failed");
  const std::size_t n = std::size_t(1) << order;
  TBuffer samples(n, offsetBytes), spectrum(n + 2, offsetBytes);
  FillRandom(samples.Data, n);
  const auto& record = *reinterpret_cast<const Own::TFftRecord*>(setup);
  for (auto _ : state) {
    if (kernels) Own::ForwardReal(record, *kernels, samples.Data, spectrum.Data);
    else table.Audio.ippsFFTFwd_RToCCS_64f(samples.Data, spectrum.Data, setup, nullptr);
    benchmark::ClobberMemory();
  }
  table.Audio.ippsFFTFree_R_64f(setup);
}

void FftwComplexForward(benchmark::State& state, int order) {
  const std::size_t n = std::size_t(1) << order;
  TBuffer in(2 * n), out(2 * n);
  const fftw_plan plan = fftw_plan_dft_1d(int(n), reinterpret_cast<fftw_complex*>(in.Data),
                                          reinterpret_cast<fftw_complex*>(out.Data), FFTW_FORWARD, FFTW_MEASURE);
  FillRandom(in.Data, 2 * n);
  TimePlan(state, plan);
}

void OursComplexForward(benchmark::State& state, int order) {
  const TPrimitiveTable& table = BoundPrimitives();
  IppsFFTSpec_C_64fc* setup = nullptr;
  if (table.Buffer.ippsFFTInitAlloc_C_64fc(&setup, order, FftNoDivision, HintAccurate) != StsNoError)
    return state.SkipWithError("init failed");
  const std::size_t n = std::size_t(1) << order;
  TBuffer samples(2 * n), spectrum(2 * n);
  FillRandom(samples.Data, 2 * n);
  for (auto _ : state) {
    table.Buffer.ippsFFTFwd_CToC_64fc(reinterpret_cast<const Ipp64fc*>(samples.Data),
                                      reinterpret_cast<Ipp64fc*>(spectrum.Data), setup, nullptr);
    benchmark::ClobberMemory();
  }
  table.Buffer.ippsFFTFree_C_64fc(setup);
}

const bool Registered = [] {
  for (int order : {9, 10, 12, 16}) {
    const std::string name = "FFT real forward, order " + std::to_string(order) + "/";
    benchmark::RegisterBenchmark((name + "FFTW r2c (reference)").c_str(), FftwRealForward, order);
    benchmark::RegisterBenchmark((name + "ours").c_str(), OursRealForward, order, nullptr, 0);
    benchmark::RegisterBenchmark((name + "ours, 32-byte aligned data").c_str(), OursRealForward, order, nullptr, 32);
    for (const Own::TFftKernels* kernels : Own::SupportedFftKernels())
      benchmark::RegisterBenchmark((name + "ours, " + kernels->Name + " kernels").c_str(), OursRealForward, order,
                                   kernels, 0);
  }
  const std::string name = "FFT complex forward, order 9/";
  benchmark::RegisterBenchmark((name + "FFTW (reference)").c_str(), FftwComplexForward, 9);
  benchmark::RegisterBenchmark((name + "ours").c_str(), OursComplexForward, 9);
  return true;
}();

}  // namespace
