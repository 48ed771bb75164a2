#include "core/line_break.h"

#include <cstdint>

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

// The bytes of [p, p + 64) that equal `c`, as a bit mask.
__attribute__((target("avx2"))) inline std::uint64_t Matches64(const char* p, __m256i c) {
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const auto l = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, c)));
  const auto h = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, c)));
  return (std::uint64_t{h} << 32) | l;
}

// A 64-byte step has its line ends as a bit mask: every LF, and every CR
// whose next byte (read one past the step, hence the 65 bytes) is no LF.
// A line starts behind each end; the first byte starts one when the step
// begins at a line start.
__attribute__((target("avx2,popcnt,lzcnt,bmi"))) LinesSkipped SkipLinesWide(const char* p,
                                                                            const char* end,
                                                                            char first) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i wanted = _mm256_set1_epi8(first);
  const char* start = p;
  int lines = 0;
  std::uint64_t starts_here = 1;
  std::uint64_t lone = 0;       // ends that are no CR LF, as seen so far
  std::uint64_t cr_before = 0;  // the step before ended with a CR
  for (; end - p >= 65; p += 64) {
    const std::uint64_t lfs = Matches64(p, lf);
    const std::uint64_t crs = Matches64(p, cr);
    const std::uint64_t hits = Matches64(p, wanted);
    const std::uint64_t lf_next = p[64] == '\n' ? 1 : 0;
    const std::uint64_t pairs = crs & ((lfs >> 1) | (lf_next << 63));
    const std::uint64_t ends = lfs | (crs & ~pairs);
    const std::uint64_t lone_ends = (crs & ~pairs) | (lfs & ~((crs << 1) | cr_before));
    const std::uint64_t found = ((ends << 1) | starts_here) & hits;
    if (found != 0) {
      const int at = __builtin_ctzll(found);
      const std::uint64_t below = (std::uint64_t{1} << at) - 1;
      return {p + at, lines + __builtin_popcountll(ends & below),
              (lone | (lone_ends & below)) == 0};
    }
    if (ends != 0) {
      lines += __builtin_popcountll(ends);
      start = p + 64 - __builtin_clzll(ends);
    }
    lone |= lone_ends;
    starts_here = ends >> 63;
    cr_before = crs >> 63;
  }
  return {start, lines, lone == 0};
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

LinesSkipped SkipLines(const char* p, const char* end, char first) {
#if defined(__x86_64__)
  if (kHaveAvx2) return SkipLinesWide(p, end, first);
#endif
  (void)end;
  (void)first;
  return {p, 0, true};
}

}  // namespace qy
