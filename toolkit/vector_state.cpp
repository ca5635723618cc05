#include "toolkit/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define SIGNOVA_X86_64_VECTOR_STATE 1
#endif

namespace signova {

#ifdef SIGNOVA_X86_64_VECTOR_STATE

namespace {

__attribute__((target("avx"))) void ZeroUpperHalves() {
    _mm256_zeroupper();
}

bool CpuHasAvx() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

} // namespace

void ClearUpperVectorState() {
    static const bool hasAvx = CpuHasAvx();
    if (hasAvx)
        ZeroUpperHalves();
}

#else

void ClearUpperVectorState() {}

#endif

} // namespace signova
