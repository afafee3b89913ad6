#include "cli/translate.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "files/formats.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QCTE_AVX2 1
#endif

namespace {

#ifdef QCTE_AVX2
// The 256 entries as sixteen 16-byte shuffle tables. A lane takes its byte
// from table k only while its value lies in 16k..16k+15: the value minus 16k,
// raised by 0x70 with saturation, keeps bit 7 clear there and sets it
// everywhere else, and a set bit 7 makes the shuffle yield zero. Two vectors
// at a time share each table. Returns how many bytes it translated.
__attribute__((target("avx2"))) size_t TranslateAvx2(const uint8_t* map, uint8_t* data, size_t length) {
  const __m256i bias = _mm256_set1_epi8(0x70);
  const __m256i step = _mm256_set1_epi8(16);
  size_t i = 0;
  for (; i + 64 <= length; i += 64) {
    __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
    __m256i firstOut = _mm256_setzero_si256();
    __m256i secondOut = _mm256_setzero_si256();
    for (int k = 0; k < 16; ++k) {
      const __m256i table =
          _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(map + 16 * k)));
      firstOut = _mm256_or_si256(firstOut, _mm256_shuffle_epi8(table, _mm256_adds_epu8(first, bias)));
      secondOut = _mm256_or_si256(secondOut, _mm256_shuffle_epi8(table, _mm256_adds_epu8(second, bias)));
      first = _mm256_sub_epi8(first, step);
      second = _mm256_sub_epi8(second, step);
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

bool WriteBlock(int out, const uint8_t* buffer, size_t size) {
  while (size > 0) {
    const ssize_t put = write(out, buffer, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    buffer += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

TStreamResult Stream(int in, int out, const TByteMap* map) {
  const std::unique_ptr<uint8_t[]> buffer(new uint8_t[TranslateBlockSize]);
  for (;;) {
    const ssize_t got = ReadBlock(in, buffer.get(), TranslateBlockSize);
    if (got < 0) return TStreamResult::ReadFailed;
    if (got == 0) return TStreamResult::Done;
    if (map) TranslateBytes(*map, buffer.get(), static_cast<size_t>(got));
    if (!WriteBlock(out, buffer.get(), static_cast<size_t>(got))) return TStreamResult::WriteFailed;
  }
}

}  // namespace

TByteMap ByteMapOf(const TCodeTab& table) {
  TByteMap map;
  for (int p = 0; p < 256; ++p) map[p] = StoredCode(table, p);
  return map;
}

void TranslateBytes(const TByteMap& map, uint8_t* data, size_t length) {
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
void TranslateBytesPortable(const TByteMap& map, uint8_t* data, size_t length) {
  const uint8_t* lookup = map.data();
  size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    uint8_t out[8];
    for (int k = 0; k < 8; ++k) out[k] = lookup[data[i + k]];
    std::memcpy(data + i, out, 8);
  }
  for (; i < length; ++i) data[i] = lookup[data[i]];
}

TStreamResult TranslateStream(int in, int out, const TByteMap& map) { return Stream(in, out, &map); }

TStreamResult CopyStream(int in, int out) { return Stream(in, out, nullptr); }
