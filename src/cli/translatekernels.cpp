#include "cli/translatekernels.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QCTE_X86 1
#endif

namespace {

// Eight lookups before eight stores: the compiler need not fear that a store
// changes the map or the input.
void TranslatePortable(const uint8_t* map, const uint8_t* in, uint8_t* out, size_t length) {
  size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    uint8_t block[8];
    for (int k = 0; k < 8; ++k) block[k] = map[in[i + k]];
    std::memcpy(out + i, block, 8);
  }
  for (; i < length; ++i) out[i] = map[in[i]];
}

#ifdef QCTE_X86
// The 256 entries as sixteen 16-byte shuffle tables, eight for each half of
// the byte values. For table k of a half, a lane's index is its value (in
// the upper half with bit 7 flipped) plus 0x70 - 16k with unsigned
// saturation. That keeps the low four bits, which the shuffle uses, and sets
// bit 7, which makes the shuffle yield zero, exactly where the value's high
// digit is below k or in the other half. So a lane of high digit h collects
// tables h..7 of its half; stored as differences of neighbouring tables,
// their exclusive or is the entry itself. Two vectors share each table.
// Returns how many bytes it translated.
__attribute__((target("avx2"))) size_t TranslateAvx2(const uint8_t* map, const uint8_t* in, uint8_t* out,
                                                     size_t length) {
  alignas(16) uint8_t differences[256];
  for (int v = 0; v < 256; ++v) differences[v] = map[v] ^ ((v & 0x70) == 0x70 ? 0 : map[v + 16]);
  const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
  size_t i = 0;
  for (; i + 64 <= length; i += 64) {
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
    const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i + 32));
    const __m256i first_upper = _mm256_xor_si256(first, flip);
    const __m256i second_upper = _mm256_xor_si256(second, flip);
    __m256i first_out = _mm256_setzero_si256();
    __m256i second_out = _mm256_setzero_si256();
    for (int k = 0; k < 8; ++k) {
      const __m256i bias = _mm256_set1_epi8(static_cast<char>(0x70 - 16 * k));
      const __m256i lower =
          _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(differences + 16 * k)));
      const __m256i upper =
          _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(differences + 128 + 16 * k)));
      first_out = _mm256_xor_si256(first_out, _mm256_shuffle_epi8(lower, _mm256_adds_epu8(first, bias)));
      second_out = _mm256_xor_si256(second_out, _mm256_shuffle_epi8(lower, _mm256_adds_epu8(second, bias)));
      first_out = _mm256_xor_si256(first_out, _mm256_shuffle_epi8(upper, _mm256_adds_epu8(first_upper, bias)));
      second_out = _mm256_xor_si256(second_out, _mm256_shuffle_epi8(upper, _mm256_adds_epu8(second_upper, bias)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), first_out);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i + 32), second_out);
  }
  return i;
}

// The map in four registers: one two-table permute looks up the 128 entries
// that bits 0..6 reach, bit 7 picks the half. The rest of the block goes
// through masked loads and stores.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void TranslateVbmi(const uint8_t* map, const uint8_t* in,
                                                                          uint8_t* out, size_t length) {
  const __m512i low_first = _mm512_loadu_si512(map);
  const __m512i low_second = _mm512_loadu_si512(map + 64);
  const __m512i high_first = _mm512_loadu_si512(map + 128);
  const __m512i high_second = _mm512_loadu_si512(map + 192);
  size_t i = 0;
  for (; i < length; i += 64) {
    const size_t left = length - i;
    const __mmask64 lanes = left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
    const __m512i value = _mm512_maskz_loadu_epi8(lanes, in + i);
    const __m512i low = _mm512_permutex2var_epi8(low_first, value, low_second);
    const __m512i high = _mm512_permutex2var_epi8(high_first, value, high_second);
    _mm512_mask_storeu_epi8(out + i, lanes, _mm512_mask_blend_epi8(_mm512_movepi8_mask(value), low, high));
  }
}
#endif

}  // namespace

const char* KernelName(Kernel kernel) {
  switch (kernel) {
    case Kernel::kAvx2:
      return "avx2";
    case Kernel::kAvx512Vbmi:
      return "avx512vbmi";
    case Kernel::kPortable:
      break;
  }
  return "portable";
}

const std::vector<Kernel>& AllKernels() {
  static const std::vector<Kernel> kErnels = {Kernel::kPortable, Kernel::kAvx2, Kernel::kAvx512Vbmi};
  return kErnels;
}

bool ProcessorRuns(Kernel kernel) {
#ifdef QCTE_X86
  if (kernel == Kernel::kAvx2) return __builtin_cpu_supports("avx2");
  if (kernel == Kernel::kAvx512Vbmi)
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
#endif
  return kernel == Kernel::kPortable;
}

Kernel FastestKernel(bool (*runs)(Kernel)) {
  Kernel fastest = Kernel::kPortable;
  for (const Kernel kernel : AllKernels())
    if (runs(kernel)) fastest = kernel;
  return fastest;
}

bool ChooseKernel(Kernel& kernel, std::string& error) {
  const char* name = std::getenv(kKernelVariable);
  kernel = FastestKernel();
  if (!name || !*name) return true;
  for (const Kernel named : AllKernels()) {
    if (std::strcmp(name, KernelName(named)) != 0) continue;
    if (!ProcessorRuns(named)) {
      error = std::string(kKernelVariable) + "=" + name + ": dieser Prozessor kann den Kern nicht ausführen";
      return false;
    }
    kernel = named;
    return true;
  }
  error = std::string(kKernelVariable) + "=" + name + ": unbekannter Kern (portable, avx2, avx512vbmi)";
  return false;
}

void RunKernel(Kernel kernel, const uint8_t* map, const uint8_t* in, uint8_t* out, size_t length) {
#ifdef QCTE_X86
  if (kernel == Kernel::kAvx512Vbmi) {
    TranslateVbmi(map, in, out, length);
    return;
  }
  if (kernel == Kernel::kAvx2) {
    const size_t done = TranslateAvx2(map, in, out, length);
    in += done;
    out += done;
    length -= done;
  }
#endif
  TranslatePortable(map, in, out, length);
}
