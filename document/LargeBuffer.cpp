#include "document/LargeBuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lexifind {

void AdviseLargeBuffer(const void *data, qsizetype bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t HugePage = std::uintptr_t(2) << 20;
    if (bytes < qsizetype(2 * HugePage))
        return;
    // Only the whole huge pages inside the buffer: its neighbours keep their pages.
    const auto start = (reinterpret_cast<std::uintptr_t>(data) + HugePage - 1) & ~(HugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + std::uintptr_t(bytes)) & ~(HugePage - 1);
    if (start < end)
        madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE); // a hint: failure changes nothing
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace lexifind
