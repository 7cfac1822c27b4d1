// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace runtime {

void askForLargePages(void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t(2) << 20;
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = (first + kLarge - 1) & ~(kLarge - 1);
    const std::uintptr_t end = (first + size) & ~(kLarge - 1);
    // Only advice: where the system refuses, the pages stay small.
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

}  // namespace runtime
