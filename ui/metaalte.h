// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own AVX code (filling an image, QPainter::drawLine, and some of the
// application's start) leaves the upper halves of the vector registers in
// use. The plain SSE arithmetic that follows then runs at a fraction of its
// speed until they are cleared: a run's thousands of points took more than
// twice as long. azzeraMetaAlte() clears them, where the processor has AVX.

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace form8 {

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) inline void vzeroupper()
{
    _mm256_zeroupper();
}
#endif

inline void azzeraMetaAlte()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool conAvx = __builtin_cpu_supports("avx");
    if (conAvx)
        vzeroupper();
#endif
}

} // namespace form8
