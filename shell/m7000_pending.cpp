// TEMPORARY — remove at merge together with m7000_pending.h. Weak stand-ins
// so that this branch links before the M7000 loaders arrive; the real
// definitions replace them.
#include "shell/m7000_pending.h"

namespace vornel {

__attribute__((weak)) void findM7000DataSets(WindowRef) {}
__attribute__((weak)) void loadM7000Index(WindowRef) {}
__attribute__((weak)) int openM7000DataSet(WindowRef, const M7000DataSet&) {
    return 0;
}
__attribute__((weak)) void closeDepthTableCache() {}

}  // namespace vornel
