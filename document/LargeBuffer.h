#pragma once

#include <QtGlobal>

namespace lexifind {

// Asks the kernel to back a large buffer with huge pages, before the buffer is first
// written: a novel-length text fills its buffers with a tenth of the page faults, which
// on a virtual machine cost more than the work itself. Small buffers are left alone.
void AdviseLargeBuffer(const void *data, qsizetype bytes);

} // namespace lexifind
