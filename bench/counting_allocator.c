/* The interposed allocator: each entry point forwards to the C library's own implementation
   (glibc exports it under __libc_ names), counting the call first when the calling thread has
   asked for it. Nothing here allocates, takes a lock or calls out, so it is safe from any
   context the C library's allocator is. */
#include "counting_allocator.h"

#include <errno.h>
#include <stdatomic.h>

extern void* __libc_malloc(size_t size);
extern void* __libc_calloc(size_t count, size_t size);
extern void* __libc_realloc(void* block, size_t size);
extern void __libc_free(void* block);
extern void* __libc_memalign(size_t alignment, size_t size);

enum { kCallerSlots = 64 };

static _Thread_local int counting;
static atomic_uint_fast64_t allocations;
static atomic_uint_fast64_t bytes;
static const void* callers[kCallerSlots];
static atomic_size_t callers_kept;

static void Count(size_t size, const void* caller) {
  const size_t slot = atomic_fetch_add_explicit(&callers_kept, 1, memory_order_relaxed);
  if (slot < kCallerSlots) callers[slot] = caller;
  atomic_fetch_add_explicit(&allocations, 1, memory_order_relaxed);
  atomic_fetch_add_explicit(&bytes, size, memory_order_relaxed);
}

void* malloc(size_t size) {
  if (counting) Count(size, __builtin_return_address(0));
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
  if (counting) Count(count * size, __builtin_return_address(0));
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
  if (counting) Count(size, __builtin_return_address(0));
  return __libc_realloc(block, size);
}

void free(void* block) {
  __libc_free(block);
}

void* memalign(size_t alignment, size_t size) {
  if (counting) Count(size, __builtin_return_address(0));
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
  if (counting) Count(size, __builtin_return_address(0));
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size) {
  if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
  if (counting) Count(size, __builtin_return_address(0));
  void* block = __libc_memalign(alignment, size);
  if (block == NULL) return ENOMEM;
  *result = block;
  return 0;
}

void bench_count_allocations(int on) {
  counting = on;
}

uint64_t bench_counted_allocations(void) {
  return atomic_load(&allocations);
}

uint64_t bench_counted_bytes(void) {
  return atomic_load(&bytes);
}

void bench_reset_allocation_counts(void) {
  atomic_store(&allocations, 0);
  atomic_store(&bytes, 0);
  atomic_store(&callers_kept, 0);
}

size_t bench_counted_callers(const void** out, size_t capacity) {
  size_t kept = atomic_load(&callers_kept);
  if (kept > kCallerSlots) kept = kCallerSlots;
  if (kept > capacity) kept = capacity;
  for (size_t i = 0; i < kept; ++i) out[i] = callers[i];
  return kept;
}
