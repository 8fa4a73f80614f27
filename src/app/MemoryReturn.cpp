#include "app/MemoryReturn.h"

#include <malloc.h>

namespace vantor {

void returnLargeBuffersWhenFreed() {
    // WORKAROUND: glibc serves a large block (a screen image behind the
    // launcher is 8 MiB at 1920×1080) from its own mapping, but after the
    // first such block is freed it raises that threshold and serves later ones
    // from its heaps, which keep freed blocks: the resident program then held
    // one to three images more, depending on the showing. A fixed threshold
    // keeps every large block in a mapping of its own, returned when freed.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
}

}  // namespace vantor
