#pragma once

namespace vt {

// Lets buffers of whole screen captures (tens of MiB) come from the heap and be reused instead of
// being mapped and unmapped on every allocation: on virtual machines each fresh page costs a
// fault that makes a 4K capture's encoding several times slower than the work itself.
void KeepLargeBuffersOnHeap();

}  // namespace vt
