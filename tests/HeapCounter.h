#pragma once

// A program that links HeapCounter.cpp replaces the global operator new to count heap
// allocations, so that it can show that a steady state allocates nothing.

// Heap allocations made by the process so far.
long HeapAllocations();
