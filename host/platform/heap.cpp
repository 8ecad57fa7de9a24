#include "host/platform/heap.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace host {

#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)

void PreferHugePages() {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  // Address space only: untouched pages cost no memory. Past it the heap grows as before.
  constexpr int kReserve = 1 << 30;
  // Buffers up to the largest threshold the library allows come from the heap too, instead of
  // mappings of their own that start with small pages again.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, kReserve);
  mallopt(M_TOP_PAD, kReserve);
  const auto top = [] { return reinterpret_cast<std::uintptr_t>(sbrk(0)); };
  const std::uintptr_t before = top();
  // One allocation larger than what is free at the top makes the heap grow by the reserve
  // (volatile, so that the compiler keeps an allocation nothing reads).
  void* volatile probe = std::malloc(std::size_t{1} << 20);
  std::free(probe);
  const std::uintptr_t after = top();  // the reserve stays mapped after the free
  const std::uintptr_t from = (before + kHugePage - 1) & ~(kHugePage - 1);
  // A sanitizer's allocator leaves the break where it was: nothing to advise then.
  if (after > from) madvise(reinterpret_cast<void*>(from), after - from, MADV_HUGEPAGE);
}

#else

void PreferHugePages() {}

#endif

}  // namespace host
