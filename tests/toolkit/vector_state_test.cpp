#include "toolkit/vector_state.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <cpuid.h>

#include <cstdint>

namespace signova {
namespace {

// Bit 2 of the registers' in-use map (XGETBV with ECX = 1): the upper halves
// of the AVX registers hold something.
constexpr std::uint64_t AvxUpperHalvesInUse = 1U << 2;

bool CpuReportsRegistersInUse() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
    const bool osSavesAvx = (ecx & bit_OSXSAVE) && (ecx & bit_AVX);
    if (!osSavesAvx || !__get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx))
        return false;
    return (eax & (1U << 2)) != 0; // XGETBV with ECX = 1
}

std::uint64_t RegistersInUse() {
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (std::uint64_t{high} << 32) | low;
}

void FillAnUpperHalf() {
    asm volatile("vpcmpeqd %%xmm5, %%xmm5, %%xmm5\n\t"
                 "vinsertf128 $1, %%xmm5, %%ymm5, %%ymm5" ::
                     : "xmm5");
}

TEST(VectorState, ClearingLeavesTheUpperHalvesUnused) {
    if (!CpuReportsRegistersInUse())
        GTEST_SKIP() << "this CPU does not tell which registers are in use";
    FillAnUpperHalf();
    ASSERT_NE(RegistersInUse() & AvxUpperHalvesInUse, 0U);
    ClearUpperVectorState();
    EXPECT_EQ(RegistersInUse() & AvxUpperHalvesInUse, 0U);
}

} // namespace
} // namespace signova

#endif
