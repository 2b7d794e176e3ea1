#include "imaging/VectorState.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

namespace kaleno {

namespace {
__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }
} // namespace

void ClearUpperVectorState()
{
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpper();
}

} // namespace kaleno

#else

namespace kaleno {
// MSVC inserts vzeroupper itself around its AVX code; other processors have no such state.
void ClearUpperVectorState() { }
} // namespace kaleno

#endif
