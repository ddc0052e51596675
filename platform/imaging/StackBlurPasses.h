#pragma once
// The two passes of the stack blur, written once over a kernel that advances the running
// sums of 32 lines by one step. StackBlur.cpp instantiates them with the portable kernel
// below and StackBlurAvx2.cpp, compiled for AVX2, with one written in AVX2 instructions.
// Everything here has internal linkage, so that each of the two files keeps its own copy
// compiled for its own instruction set and the linker never hands one's code to the other.
// Besides those two, only the blur's test and benchmark include this header, to run the
// portable build on processors that would pick the AVX2 one.
//
// Layout. Each pass blurs groups of 32 lines at once, laid out so that step i of the
// lines of a group is 32 consecutive bytes. The vertical pass finds that layout in a byte
// plane of alpha as it is: a step is a row, the lines are its columns. The horizontal pass
// takes bands of 32 rows, transposes their alpha in 16 × 16 blocks so that its steps (the
// columns) lie row-wise too, and transposes the results back into the plane that the
// vertical pass then reads, 32 steps at a time while they are still in the first-level
// cache. The vertical results are merged into the alpha of the pixels a row at a time.
//
// Reading the window from a source that is not written instead of keeping it on a ring of
// 2r + 1 values gives the same sums: the value leaving the window at step x is the one at
// x − r, the one entering it is at x + r + 1, and the one crossing from its right half to
// its left is at x + 1, each clamped to the line.

#include "platform/imaging/StackBlur.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmora {
namespace {

// Lines blurred together: 32 alpha bytes fill one 256-bit vector register.
constexpr size_t kLanes = 32;
// The side of the blocks that are transposed: 16 bytes are one 128-bit register.
constexpr size_t kBlock = 16;

// Transposes 16 rows of 16 bytes in registers (each 128-bit half of a register, for
// wider ones), given the byte interleaves of the low and the high halves of two rows.
// Interleaving row i with row i + 8, the low halves into row 2i and the high halves into
// row 2i + 1, rotates the eight bits of each byte's (row, column) index by one; four rounds
// swap row and column. Fully unrolled, so that the rows stay in registers.
template <class Vector, class Low, class High>
inline void InterleaveRounds(Vector (&rows)[kBlock], Low low, High high)
{
#pragma GCC unroll 4
    for (int round = 0; round < 4; ++round) {
        Vector next[kBlock];
#pragma GCC unroll 8
        for (size_t i = 0; i < kBlock / 2; ++i) {
            next[2 * i] = low(rows[i], rows[i + 8]);
            next[2 * i + 1] = high(rows[i], rows[i + 8]);
        }
#pragma GCC unroll 16
        for (size_t i = 0; i < kBlock; ++i)
            rows[i] = next[i];
    }
}

// Transposes a 16 × 16 block of bytes.
inline void TransposeBlock(const uint8_t* source, size_t sourceStride, uint8_t* target, size_t targetStride)
{
#if defined(__SSE2__)
    __m128i rows[kBlock];
#pragma GCC unroll 16
    for (size_t i = 0; i < kBlock; ++i)
        rows[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i * sourceStride));
    InterleaveRounds(rows, [](__m128i a, __m128i b) { return _mm_unpacklo_epi8(a, b); },
                     [](__m128i a, __m128i b) { return _mm_unpackhi_epi8(a, b); });
#pragma GCC unroll 16
    for (size_t i = 0; i < kBlock; ++i)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i * targetStride), rows[i]);
#else
    for (size_t i = 0; i < kBlock; ++i)
        for (size_t j = 0; j < kBlock; ++j)
            target[j * targetStride + i] = source[i * sourceStride + j];
#endif
}

// Where the window of step x reads: steps x − r, x + 1 and x + r + 1, clamped to
// [0, last].
struct WindowSteps {
    WindowSteps(uint32_t x, uint32_t radius, uint32_t last)
        : leaving(x > radius ? x - radius : 0), crossing(std::min(x + 1, last)),
          entering(std::min(x + radius + 1, last))
    {
    }
    size_t leaving;
    size_t crossing;
    size_t entering;
};

// The kernel of the portable build, in plain loops over the 32 lines. The sums of a line
// are the window's weighted sum and the plain sums of its right half (in) and of its left
// half with the centre (out); in and out never exceed 255 × (r + 1) = 65,025 and are
// kept in 16 bits, wrapping arithmetic being exact for values that end up fitting.
struct PortableKernel {
    struct Sums {
        std::array<uint32_t, kLanes> sum;
        std::array<uint16_t, kLanes> in;
        std::array<uint16_t, kLanes> out;
    };

    // The sums at step 0 of lines of `count` steps whose values at step i are the 32
    // bytes at source + i * stride. The left half of the window (centre included) is the
    // first value repeated, with weights 1 to r + 1; the right half the next r values,
    // weights r down to 1, the last value repeated where the line is shorter.
    static Sums Start(const uint8_t* source, size_t stride, uint32_t count, uint32_t radius)
    {
        Sums s;
        const uint32_t leftWeight = (radius + 1) * (radius + 2) / 2;
        for (size_t k = 0; k < kLanes; ++k) {
            s.sum[k] = source[k] * leftWeight;
            s.in[k] = 0;
            s.out[k] = uint16_t(source[k] * (radius + 1));
        }
        for (uint32_t i = 1; i <= radius; ++i) {
            const uint8_t* value = source + size_t(std::min(i, count - 1)) * stride;
            for (size_t k = 0; k < kLanes; ++k) {
                s.sum[k] += value[k] * (radius + 1 - i);
                s.in[k] = uint16_t(s.in[k] + value[k]);
            }
        }
        return s;
    }

    // The 32 results of one step into `result`, and the sums moved on to the next step.
    static void Step(Sums& s, const uint8_t* leaving, const uint8_t* crossing, const uint8_t* entering,
                     uint8_t* result, StackBlurDivisor divisor)
    {
        for (size_t k = 0; k < kLanes; ++k) {
            result[k] = uint8_t((s.sum[k] * divisor.mul) >> divisor.shift);
            const uint16_t in = uint16_t(s.in[k] + entering[k]);
            s.sum[k] = s.sum[k] - s.out[k] + in;
            s.out[k] = uint16_t(s.out[k] - leaving[k] + crossing[k]);
            s.in[k] = uint16_t(in - crossing[k]);
        }
    }

    static void ExtractAlpha(const uint32_t* pixels, uint8_t* alpha, size_t count)
    {
        for (size_t x = 0; x < count; ++x)
            alpha[x] = uint8_t(pixels[x] >> 24);
    }

    // 16 columns of 32 rows (`rowStride` bytes apart) into 16 steps of the band layout,
    // 32 bytes each.
    static void TransposeIntoBand(const uint8_t* rows, size_t rowStride, uint8_t* band)
    {
        TransposeBlock(rows, rowStride, band, kLanes);
        TransposeBlock(rows + kBlock * rowStride, rowStride, band + kBlock, kLanes);
    }

    // The reverse: 16 steps of 32 bytes into 16 columns of 32 rows.
    static void TransposeOutOfBand(const uint8_t* band, uint8_t* rows, size_t rowStride)
    {
        TransposeBlock(band, kLanes, rows, rowStride);
        TransposeBlock(band + kBlock, kLanes, rows + kBlock * rowStride, rowStride);
    }

    static void MergeAlpha(uint32_t* pixels, const uint8_t* alpha, size_t count)
    {
        for (size_t x = 0; x < count; ++x)
            pixels[x] = (pixels[x] & 0x00FFFFFFu) | uint32_t(alpha[x]) << 24;
    }
};

inline size_t RoundUp(size_t n, size_t multiple)
{
    return (n + multiple - 1) / multiple * multiple;
}

// A byte buffer that is not cleared: every byte of it is written before it is read.
inline std::unique_ptr<uint8_t[]> UninitialisedBytes(size_t count)
{
    return std::unique_ptr<uint8_t[]>(new uint8_t[count]);
}

// Both passes over width × height pixels with a radius of 1 to kMaxStackBlurRadius.
template <class Kernel>
void BlurPasses(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius, StackBlurDivisor divisor)
{
    const size_t w = width;
    // The plane's rows and columns are padded to whole groups; the padding is blurred
    // along and dropped.
    const size_t stride = RoundUp(w, kLanes);
    const size_t paddedHeight = RoundUp(height, kLanes);

    // The alpha of a band of rows, row after row; the band transposed, a column to 32
    // bytes; the results of 32 steps in that layout; and the horizontally blurred alpha
    // of the layer, row after row. The first and third are cleared once: what lies beyond
    // the layer's last row and column is blurred along and dropped.
    std::vector<uint8_t> bandRows(kLanes * stride);
    const std::unique_ptr<uint8_t[]> band = UninitialisedBytes(stride * kLanes);
    std::vector<uint8_t> results(kLanes * kLanes);
    const std::unique_ptr<uint8_t[]> plane = UninitialisedBytes(paddedHeight * stride);

    for (uint32_t top = 0; top < height; top += kLanes) {
        const uint32_t rows = std::min<uint32_t>(kLanes, height - top);
        for (uint32_t k = 0; k < rows; ++k)
            Kernel::ExtractAlpha(pixels + size_t(top + k) * w, bandRows.data() + k * stride, w);
        for (size_t left = 0; left < stride; left += kBlock)
            Kernel::TransposeIntoBand(bandRows.data() + left, stride, band.get() + left * kLanes);

        // The steps go in chunks of 32, after each of which the chunk of results is
        // transposed into the plane while it is still in the first-level cache. Away from
        // the ends of the rows no read of the window needs clamping.
        typename Kernel::Sums sums = Kernel::Start(band.get(), kLanes, width, radius);
        uint8_t* planeRows = plane.get() + size_t(top) * stride;
        const uint32_t last = width - 1;
        for (uint32_t left = 0; left < width; left += kLanes) {
            const uint32_t steps = std::min<uint32_t>(kLanes, width - left);
            if (left > radius && uint64_t(left) + steps + radius <= last) {
                const uint8_t* leaving = band.get() + size_t(left - radius) * kLanes;
                const uint8_t* crossing = band.get() + size_t(left + 1) * kLanes;
                const uint8_t* entering = band.get() + size_t(left + radius + 1) * kLanes;
                for (uint32_t i = 0; i < steps; ++i) {
                    Kernel::Step(sums, leaving, crossing, entering, results.data() + i * kLanes, divisor);
                    leaving += kLanes;
                    crossing += kLanes;
                    entering += kLanes;
                }
            } else {
                for (uint32_t i = 0; i < steps; ++i) {
                    const WindowSteps at(left + i, radius, last);
                    Kernel::Step(sums, band.get() + at.leaving * kLanes, band.get() + at.crossing * kLanes,
                                 band.get() + at.entering * kLanes, results.data() + i * kLanes, divisor);
                }
            }
            for (size_t j = 0; j < kLanes; j += kBlock)
                Kernel::TransposeOutOfBand(results.data() + j * kLanes, planeRows + left + j, stride);
        }
    }

    // The vertical pass row by row over the whole width: the sums of every group of
    // columns, and one row of results.
    std::vector<typename Kernel::Sums> columns(stride / kLanes);
    for (size_t g = 0; g < columns.size(); ++g)
        columns[g] = Kernel::Start(plane.get() + g * kLanes, stride, height, radius);
    const std::unique_ptr<uint8_t[]> row = UninitialisedBytes(stride);
    for (uint32_t y = 0; y < height; ++y) {
        const WindowSteps at(y, radius, height - 1);
        const uint8_t* leaving = plane.get() + at.leaving * stride;
        const uint8_t* crossing = plane.get() + at.crossing * stride;
        const uint8_t* entering = plane.get() + at.entering * stride;
        for (size_t g = 0, left = 0; g < columns.size(); ++g, left += kLanes)
            Kernel::Step(columns[g], leaving + left, crossing + left, entering + left, row.get() + left, divisor);
        Kernel::MergeAlpha(pixels + size_t(y) * w, row.get(), w);
    }
}

} // namespace

// The blur built for AVX2 (StackBlurAvx2.cpp); only for processors that have it.
void StackBlurAlphaAvx2(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t radius,
                        StackBlurDivisor divisor);

} // namespace kelmora
