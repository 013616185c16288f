#pragma once

#include <benchmark/benchmark.h>

// The benchmark programs replace the global operator new to count heap allocations, so that a
// case can show that its steady state allocates nothing.

// Heap allocations made by the process so far.
long HeapAllocations();

// Reports the heap allocations per iteration since `before` as the "allocs/op" counter.
void ReportHeapAllocations(benchmark::State& state, long before);
