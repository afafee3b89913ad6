#include "cli/translate.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fileio/outputfile.h"
#include "files/formats.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QCTE_AVX2 1
#endif

namespace {

#ifdef QCTE_AVX2
// The 256 entries as sixteen 16-byte shuffle tables, eight for each half of
// the byte values. For table k of a half, a lane's index is its value (in
// the upper half with bit 7 flipped) plus 0x70 - 16k with unsigned
// saturation. That keeps the low four bits, which the shuffle uses, and sets
// bit 7, which makes the shuffle yield zero, exactly where the value's high
// digit is below k or in the other half. So a lane of high digit h collects
// tables h..7 of its half; stored as differences of neighbouring tables,
// their exclusive or is the entry itself. Two vectors share each table.
// Returns how many bytes it translated.
__attribute__((target("avx2"))) size_t TranslateAvx2(const uint8_t* map, uint8_t* data, size_t length) {
  alignas(16) uint8_t differences[256];
  for (int v = 0; v < 256; ++v) differences[v] = map[v] ^ ((v & 0x70) == 0x70 ? 0 : map[v + 16]);
  const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
  size_t i = 0;
  for (; i + 64 <= length; i += 64) {
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
    const __m256i firstUpper = _mm256_xor_si256(first, flip);
    const __m256i secondUpper = _mm256_xor_si256(second, flip);
    __m256i firstOut = _mm256_setzero_si256();
    __m256i secondOut = _mm256_setzero_si256();
    for (int k = 0; k < 8; ++k) {
      const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x70 - 16 * k));
      const __m256i lower =
          _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(differences + 16 * k)));
      const __m256i upper =
          _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(differences + 128 + 16 * k)));
      firstOut = _mm256_xor_si256(firstOut, _mm256_shuffle_epi8(lower, _mm256_adds_epu8(first, bias)));
      secondOut = _mm256_xor_si256(secondOut, _mm256_shuffle_epi8(lower, _mm256_adds_epu8(second, bias)));
      firstOut = _mm256_xor_si256(firstOut, _mm256_shuffle_epi8(upper, _mm256_adds_epu8(firstUpper, bias)));
      secondOut = _mm256_xor_si256(secondOut, _mm256_shuffle_epi8(upper, _mm256_adds_epu8(secondUpper, bias)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + i), firstOut);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + i + 32), secondOut);
  }
  return i;
}

const bool HaveAvx2 = __builtin_cpu_supports("avx2");
#endif

// Fills buffer as far as the input goes: fewer bytes only at its end.
ssize_t ReadBlock(int in, uint8_t* buffer, size_t size) {
  size_t filled = 0;
  while (filled < size) {
    const ssize_t got = read(in, buffer + filled, size - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(filled);
}

struct Free {
  void operator()(uint8_t* block) const { std::free(block); }
};

// The kernel copies into and out of a page-aligned buffer twice as fast as
// into one just past a page start, as a plain allocation of this size is.
StreamResult Stream(int in, int out, const ByteMap* map) {
  const std::unique_ptr<uint8_t, Free> buffer(static_cast<uint8_t*>(std::aligned_alloc(4096, TranslateBlockSize)));
  if (!buffer) {
    errno = ENOMEM;
    return StreamResult::ReadFailed;
  }
  for (;;) {
    const ssize_t got = ReadBlock(in, buffer.get(), TranslateBlockSize);
    if (got < 0) return StreamResult::ReadFailed;
    if (got == 0) return StreamResult::Done;
    if (map) TranslateBytes(*map, buffer.get(), static_cast<size_t>(got));
    if (!WriteAll(out, buffer.get(), static_cast<size_t>(got))) return StreamResult::WriteFailed;
  }
}

}  // namespace

ByteMap ByteMapOf(const CodeTable& table) {
  ByteMap map;
  for (int p = 0; p < 256; ++p) map[p] = StoredCode(table, p);
  return map;
}

void TranslateBytes(const ByteMap& map, uint8_t* data, size_t length) {
#ifdef QCTE_AVX2
  if (HaveAvx2) {
    const size_t done = TranslateAvx2(map.data(), data, length);
    data += done;
    length -= done;
  }
#endif
  TranslateBytesPortable(map, data, length);
}

// Eight lookups before eight stores: the compiler need not fear that a store
// changes the map.
void TranslateBytesPortable(const ByteMap& map, uint8_t* data, size_t length) {
  const uint8_t* lookup = map.data();
  size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    uint8_t out[8];
    for (int k = 0; k < 8; ++k) out[k] = lookup[data[i + k]];
    std::memcpy(data + i, out, 8);
  }
  for (; i < length; ++i) data[i] = lookup[data[i]];
}

StreamResult TranslateStream(int in, int out, const ByteMap& map) { return Stream(in, out, &map); }

StreamResult CopyStream(int in, int out) { return Stream(in, out, nullptr); }
