#include "platform/render/AllocatorTuning.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace rost {

void tuneAllocatorForPrinting()
{
#if defined(__GLIBC__)
    constexpr int MiB = 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, 32 * MiB);  // the page buffers come from the heap...
    mallopt(M_TRIM_THRESHOLD, 256 * MiB); // ...which is not handed back after every page
    mallopt(M_TOP_PAD, 64 * MiB);         // and grows in steps that hold a page's buffers
#endif
}

} // namespace rost
