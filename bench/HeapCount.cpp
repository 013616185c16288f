#include "HeapCount.h"

void ReportHeapAllocations(benchmark::State& state, long before) {
  state.counters["allocs/op"] = benchmark::Counter(double(HeapAllocations() - before) / double(state.iterations()));
}
