#include "core/line_break.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace qy {

namespace {

const char* FindLineBreakNarrow(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    p += 16;
  }
#endif
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) const char* FindLineBreakWide(const char* p, const char* end) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  while (end - p >= 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const int hits = _mm256_movemask_epi8(
        _mm256_or_si256(_mm256_cmpeq_epi8(bytes, cr), _mm256_cmpeq_epi8(bytes, lf)));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    p += 32;
  }
  return FindLineBreakNarrow(p, end);
}

bool HaveAvx2() {
  __builtin_cpu_init();  // may run before the runtime's own constructor
  return __builtin_cpu_supports("avx2");
}

const bool kHaveAvx2 = HaveAvx2();
#endif

}  // namespace

const char* FindLineBreak(const char* p, const char* end) {
#if defined(__x86_64__)
  if (kHaveAvx2) return FindLineBreakWide(p, end);
#endif
  return FindLineBreakNarrow(p, end);
}

}  // namespace qy
