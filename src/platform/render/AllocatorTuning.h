#pragma once

namespace rost {

// Keeps large freed buffers in the process for reuse. Qt's PDF writer allocates two 16 MiB
// buffers for every page; with glibc's defaults each is mapped and unmapped again, and a job of
// a thousand envelopes spent as long in the system as in drawing. Called first thing in main.
void tuneAllocatorForPrinting();

} // namespace rost
