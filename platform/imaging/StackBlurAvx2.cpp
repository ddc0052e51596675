// The stack blur's kernel in AVX2 instructions, for the passes of StackBlurPasses.h. This
// file is compiled for AVX2 (see CMakeLists.txt) and only called on processors that have
// it. It computes exactly what the portable kernel does, 16 lines to a register where the
// sums are 16 bits wide and 8 where they are 32.
//
// The halves' sums, in and out, are kept offset by −32768: they then fit signed 16-bit
// lanes, and the change of the window's sum, in − out, comes out of one multiply-add of
// the two interleaved (in · 1 + out · −1) in 32 bits. The interleave takes the lines of
// each 128-bit half in the order 0–3 and 8–11, then 4–7 and 12–15, which is the order the
// 32-bit sums are kept in; narrowing them back to bytes restores the lines' order.

#include "platform/imaging/StackBlurPasses.h"

#if defined(__x86_64__) && defined(__AVX2__)

#include <immintrin.h>

namespace kelmora {

namespace {

// The offset that makes the halves' sums (0 … 65,025) signed 16-bit values.
constexpr short kHalfSumOffset = short(-32768);

__m256i WidenBytes(const uint8_t* p)
{
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Lines 0–7, 8–15, 16–23 and 24–31 as 32 bytes in line order. The packs interleave the
// two 128-bit halves, which the final permutation undoes; they saturate, which changes
// nothing, since every value is at most 255.
__m256i NarrowToBytes(__m256i a, __m256i b, __m256i c, __m256i d)
{
    const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(a, b), _mm256_packus_epi32(c, d));
    return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

// The same from sums in the kernel's order: packing the first two gives lines 0–15 in
// order, the last two lines 16–31, and the byte pack interleaves their 64-bit quarters.
__m256i NarrowSums(__m256i a, __m256i b, __m256i c, __m256i d)
{
    const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(a, b), _mm256_packus_epi32(c, d));
    return _mm256_permute4x64_epi64(bytes, 0xD8);
}

struct Avx2Kernel {
    // sum: lines 0–3 and 8–11, 4–7 and 12–15, 16–19 and 24–27, 20–23 and 28–31; in and
    // out, offset: lines 0–15, 16–31.
    struct Sums {
        __m256i sum[4];
        __m256i in[2];
        __m256i out[2];
    };

    static Sums Start(const uint8_t* source, size_t stride, uint32_t count, uint32_t radius)
    {
        Sums s;
        const __m256i zero = _mm256_setzero_si256();
        const __m256i offset = _mm256_set1_epi16(kHalfSumOffset);
        const __m256i leftWeight = _mm256_set1_epi32(int((radius + 1) * (radius + 2) / 2));
        const __m256i centreWeight = _mm256_set1_epi16(short(radius + 1));
        #pragma GCC unroll 4
        for (int h = 0; h < 2; ++h) {
            const __m256i first = WidenBytes(source + 16 * h);
            s.sum[2 * h] = _mm256_mullo_epi32(_mm256_unpacklo_epi16(first, zero), leftWeight);
            s.sum[2 * h + 1] = _mm256_mullo_epi32(_mm256_unpackhi_epi16(first, zero), leftWeight);
            s.in[h] = offset;
            s.out[h] = _mm256_add_epi16(_mm256_mullo_epi16(first, centreWeight), offset);
        }
        for (uint32_t i = 1; i <= radius; ++i) {
            const uint8_t* value = source + size_t(std::min(i, count - 1)) * stride;
            const __m256i weight = _mm256_set1_epi32(int(radius + 1 - i));
            #pragma GCC unroll 4
            for (int h = 0; h < 2; ++h) {
                const __m256i words = WidenBytes(value + 16 * h);
                s.sum[2 * h] =
                    _mm256_add_epi32(s.sum[2 * h], _mm256_mullo_epi32(_mm256_unpacklo_epi16(words, zero), weight));
                s.sum[2 * h + 1] =
                    _mm256_add_epi32(s.sum[2 * h + 1], _mm256_mullo_epi32(_mm256_unpackhi_epi16(words, zero), weight));
                s.in[h] = _mm256_add_epi16(s.in[h], words);
            }
        }
        return s;
    }

    static void Step(Sums& s, const uint8_t* leaving, const uint8_t* crossing, const uint8_t* entering,
                     uint8_t* result, StackBlurDivisor divisor)
    {
        const __m256i mul = _mm256_set1_epi32(int(divisor.mul));
        const __m128i shift = _mm_cvtsi32_si128(int(divisor.shift));
        // Pairs of (in, out) to in · 1 + out · −1.
        const __m256i inMinusOut = _mm256_set1_epi32(int(0xFFFF0001u));
        __m256i scaled[4];
        #pragma GCC unroll 4
        for (int i = 0; i < 4; ++i)
            scaled[i] = _mm256_srl_epi32(_mm256_mullo_epi32(s.sum[i], mul), shift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(result), NarrowSums(scaled[0], scaled[1], scaled[2], scaled[3]));
        #pragma GCC unroll 4
        for (int h = 0; h < 2; ++h) {
            const __m256i out = WidenBytes(leaving + 16 * h);
            const __m256i across = WidenBytes(crossing + 16 * h);
            const __m256i in = _mm256_add_epi16(s.in[h], WidenBytes(entering + 16 * h));
            s.sum[2 * h] =
                _mm256_add_epi32(s.sum[2 * h], _mm256_madd_epi16(_mm256_unpacklo_epi16(in, s.out[h]), inMinusOut));
            s.sum[2 * h + 1] =
                _mm256_add_epi32(s.sum[2 * h + 1], _mm256_madd_epi16(_mm256_unpackhi_epi16(in, s.out[h]), inMinusOut));
            s.out[h] = _mm256_add_epi16(_mm256_sub_epi16(s.out[h], out), across);
            s.in[h] = _mm256_sub_epi16(in, across);
        }
    }

    static void ExtractAlpha(const uint32_t* pixels, uint8_t* alpha, size_t count)
    {
        size_t x = 0;
        for (; x + kLanes <= count; x += kLanes) {
            __m256i quarters[4];
            #pragma GCC unroll 4
            for (int i = 0; i < 4; ++i)
                quarters[i] = _mm256_srli_epi32(
                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + x + 8 * i)), 24);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(alpha + x),
                                NarrowToBytes(quarters[0], quarters[1], quarters[2], quarters[3]));
        }
        PortableKernel::ExtractAlpha(pixels + x, alpha + x, count - x);
    }

    // Two 16 × 16 blocks side by side in each register: rows i and i + 16 of the band share
    // register i, and the per-half interleaves of AVX2 transpose both at once.
    static void TransposeIntoBand(const uint8_t* rows, size_t rowStride, uint8_t* band)
    {
        __m256i r[kBlock];
#pragma GCC unroll 16
        for (size_t i = 0; i < kBlock; ++i)
            r[i] = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(rows + (i + kBlock) * rowStride),
                                       reinterpret_cast<const __m128i*>(rows + i * rowStride));
        TransposeHalves(r);
#pragma GCC unroll 16
        for (size_t j = 0; j < kBlock; ++j)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(band + j * kLanes), r[j]);
    }

    static void TransposeOutOfBand(const uint8_t* band, uint8_t* rows, size_t rowStride)
    {
        __m256i r[kBlock];
#pragma GCC unroll 16
        for (size_t j = 0; j < kBlock; ++j)
            r[j] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(band + j * kLanes));
        TransposeHalves(r);
#pragma GCC unroll 16
        for (size_t i = 0; i < kBlock; ++i)
            _mm256_storeu2_m128i(reinterpret_cast<__m128i*>(rows + (i + kBlock) * rowStride),
                                 reinterpret_cast<__m128i*>(rows + i * rowStride), r[i]);
    }

    static void TransposeHalves(__m256i (&r)[kBlock])
    {
        InterleaveRounds(r, [](__m256i a, __m256i b) { return _mm256_unpacklo_epi8(a, b); },
                         [](__m256i a, __m256i b) { return _mm256_unpackhi_epi8(a, b); });
    }

    static void MergeAlpha(uint32_t* pixels, const uint8_t* alpha, size_t count)
    {
        const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
        size_t x = 0;
#pragma GCC unroll 4
        for (; x + 8 <= count; x += 8) {
            auto* p = reinterpret_cast<__m256i*>(pixels + x);
            const __m256i a =
                _mm256_slli_epi32(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(alpha + x))), 24);
            _mm256_storeu_si256(p, _mm256_or_si256(_mm256_and_si256(_mm256_loadu_si256(p), colour), a));
        }
        PortableKernel::MergeAlpha(pixels + x, alpha + x, count - x);
    }
};

} // namespace

void StackBlurAlphaAvx2(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius, StackBlurDivisor divisor)
{
    BlurPasses<Avx2Kernel>(pixels, width, height, radius, divisor);
}

} // namespace kelmora

#else

namespace kelmora {

// Built without AVX2: never called, since the processor check comes first.
void StackBlurAlphaAvx2(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius, StackBlurDivisor divisor)
{
    BlurPasses<PortableKernel>(pixels, width, height, radius, divisor);
}

} // namespace kelmora

#endif
