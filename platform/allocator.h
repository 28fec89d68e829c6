// SPDX-License-Identifier: GPL-3.0-or-later
// The C library's allocator, kept from holding on to memory the program has
// finished with. Both calls do nothing where the C library is not glibc.
#pragma once

namespace platform {

// Keeps the allocator at its initial thresholds for the whole run. Left to
// itself, glibc raises them to the largest block it has given back to the
// system (a window's backing store after a resize, a video frame) and from
// then on keeps up to twice that free in each of its heaps, so the
// program's memory would step up with every larger window and never come
// down. Call first of all, before anything is allocated in bulk.
void fixAllocatorThresholds();

// Hands back to the system, shortly after, the memory the heaps hold free:
// called when a window has gone, whose pictures and player buffers leave
// holes in the heaps that glibc would otherwise keep. Calls close together
// make one.
void returnFreedMemorySoon();

} // namespace platform
