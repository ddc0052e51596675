// The stack blur's kernel in AVX2 instructions, for the passes of StackBlurPasses.h. This
// file is compiled for AVX2 (see CMakeLists.txt) and only called on processors that have
// it. It computes exactly what the portable kernel does: the same sums in the same widths,
// 16 lines to a register where they are 16 bits wide and 8 where they are 32.

#include "platform/imaging/StackBlurPasses.h"

#if defined(__x86_64__) && defined(__AVX2__)

#include <immintrin.h>

namespace kelmora {

namespace {

__m256i WidenBytes(const uint8_t* p)
{
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

__m256i WidenLow(__m256i words)
{
    return _mm256_cvtepu16_epi32(_mm256_castsi256_si128(words));
}

__m256i WidenHigh(__m256i words)
{
    return _mm256_cvtepu16_epi32(_mm256_extracti128_si256(words, 1));
}

// Lines 0–7, 8–15, 16–23 and 24–31 as 32 bytes in line order. The packs interleave the
// two 128-bit halves, which the final permutation undoes; they saturate, which changes
// nothing, since every value is at most 255.
__m256i NarrowToBytes(__m256i a, __m256i b, __m256i c, __m256i d)
{
    const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(a, b), _mm256_packus_epi32(c, d));
    return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

struct Avx2Kernel {
    // sum: lines 0–7, 8–15, 16–23, 24–31; in and out: lines 0–15, 16–31.
    struct Sums {
        __m256i sum[4];
        __m256i in[2];
        __m256i out[2];
    };

    static Sums Start(const uint8_t* source, size_t stride, uint32_t count, uint32_t radius)
    {
        Sums s;
        const __m256i leftWeight = _mm256_set1_epi32(int((radius + 1) * (radius + 2) / 2));
        #pragma GCC unroll 4
        for (int i = 0; i < 4; ++i) {
            const __m256i first = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + 8 * i)));
            s.sum[i] = _mm256_mullo_epi32(first, leftWeight);
        }
        const __m256i centreWeight = _mm256_set1_epi16(short(radius + 1));
        #pragma GCC unroll 4
        for (int h = 0; h < 2; ++h) {
            s.in[h] = _mm256_setzero_si256();
            s.out[h] = _mm256_mullo_epi16(WidenBytes(source + 16 * h), centreWeight);
        }
        for (uint32_t i = 1; i <= radius; ++i) {
            const uint8_t* value = source + size_t(std::min(i, count - 1)) * stride;
            const __m256i weight = _mm256_set1_epi32(int(radius + 1 - i));
            #pragma GCC unroll 4
            for (int h = 0; h < 2; ++h) {
                const __m256i words = WidenBytes(value + 16 * h);
                s.sum[2 * h] = _mm256_add_epi32(s.sum[2 * h], _mm256_mullo_epi32(WidenLow(words), weight));
                s.sum[2 * h + 1] = _mm256_add_epi32(s.sum[2 * h + 1], _mm256_mullo_epi32(WidenHigh(words), weight));
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
        __m256i scaled[4];
        #pragma GCC unroll 4
        for (int i = 0; i < 4; ++i)
            scaled[i] = _mm256_srl_epi32(_mm256_mullo_epi32(s.sum[i], mul), shift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(result),
                            NarrowToBytes(scaled[0], scaled[1], scaled[2], scaled[3]));
        #pragma GCC unroll 4
        for (int h = 0; h < 2; ++h) {
            const __m256i out = WidenBytes(leaving + 16 * h);
            const __m256i across = WidenBytes(crossing + 16 * h);
            const __m256i in = _mm256_add_epi16(s.in[h], WidenBytes(entering + 16 * h));
            s.sum[2 * h] = _mm256_add_epi32(_mm256_sub_epi32(s.sum[2 * h], WidenLow(s.out[h])), WidenLow(in));
            s.sum[2 * h + 1] =
                _mm256_add_epi32(_mm256_sub_epi32(s.sum[2 * h + 1], WidenHigh(s.out[h])), WidenHigh(in));
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
