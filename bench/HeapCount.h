#pragma once

#include "tests/HeapCounter.h"

#include <benchmark/benchmark.h>

// The benchmark programs count heap allocations (tests/HeapCounter.cpp), so that a case can show
// that its steady state allocates nothing.

// Reports the heap allocations per iteration since `before` as the "allocs/op" counter.
void ReportHeapAllocations(benchmark::State& state, long before);
