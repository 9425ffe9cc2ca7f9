/* Heap allocations counted per thread: the benchmark executable defines malloc and its relatives,
   forwarding each to the C library's own, so every allocation in the process comes through
   here, the dynamically loaded driver's and the C library's and loader's on its behalf included.
   Only a thread that has switched counting on is counted. */
#ifndef BENCH_COUNTING_ALLOCATOR_H
#define BENCH_COUNTING_ALLOCATOR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Counting on or off for the calling thread only. */
void bench_count_allocations(int on);

/* Allocations (malloc, calloc, realloc, aligned forms) counted since the last reset, and their
   bytes. */
uint64_t bench_counted_allocations(void);
uint64_t bench_counted_bytes(void);
void bench_reset_allocation_counts(void);

/* The code addresses that called the allocator for the first counted allocations, at most
   capacity of them; returns how many were kept. */
size_t bench_counted_callers(const void** callers, size_t capacity);

#ifdef __cplusplus
}
#endif

#endif /* BENCH_COUNTING_ALLOCATOR_H */
