// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asking the system to back a large buffer with large pages.

#include <cstddef>

namespace runtime {

// Filling tens of megabytes in pages of 4 KB costs thousands of page faults,
// as long as the reading itself; where the system backs memory with pages
// of 2 MB on request (Linux), the whole 2 MB stretches of the buffer get
// them. Call before the buffer is first written. Elsewhere nothing.
void askForLargePages(void* data, std::size_t size);

}  // namespace runtime
