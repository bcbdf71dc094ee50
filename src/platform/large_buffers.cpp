#include "platform/large_buffers.h"

#include <malloc.h>

namespace vt {

void KeepLargeBuffersOnHeap() {
    mallopt(M_MMAP_THRESHOLD, 128 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace vt
