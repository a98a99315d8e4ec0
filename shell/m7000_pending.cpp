// TEMPORARY — remove at merge together with m7000_pending.h. Weak stand-ins
// so that this branch links before the M7000 loaders arrive; the real
// definitions replace them.
#include "shell/m7000_pending.h"

// PE archives do not index weak definitions, so the Windows build takes plain ones.
#if defined(_WIN32)
#define VORNEL_PENDING
#else
#define VORNEL_PENDING __attribute__((weak))
#endif

namespace vornel {

VORNEL_PENDING void findM7000DataSets(WindowRef) {}
VORNEL_PENDING void loadM7000Index(WindowRef) {}
VORNEL_PENDING int openM7000DataSet(WindowRef, const M7000DataSet&) {
    return 0;
}
VORNEL_PENDING void closeDepthTableCache() {}

}  // namespace vornel
