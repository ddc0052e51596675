#include "dialogs/CompoundDots.h"

#include "model/PenMan.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// How far a band width may be from a whole number of tenths and still count as one.
constexpr double kTenthTolerance = 0.001;

int TenthsOf(double width)
{
    for (int j = 0; j <= CompoundDots::kDotCount; ++j) {
        if (std::fabs(width - j / 10.0) <= kTenthTolerance)
            return j;
    }
    return 0;
}

} // namespace

bool CompoundDots::Toggle(int dot)
{
    if (dot < 1 || dot > kDotCount - 2)
        return false;
    m_dots[size_t(dot)] = !m_dots[size_t(dot)];
    return true;
}

void DotsToCompoundArray(const CompoundDots& dots, std::vector<float>& out)
{
    out.clear();
    out.push_back(0.0f);
    bool running = true;
    for (int i = 0; i < CompoundDots::kDotCount; ++i) {
        if (dots.IsInk(i) != running) {
            out.push_back(float(i) / 10.0f);
            running = dots.IsInk(i);
        }
    }
    out.push_back(1.0f);
}

void CompoundArrayToDots(std::span<const float> array, CompoundDots& dots)
{
    dots.m_dots.fill(true);
    if (IsUsableCompoundArray(array)) {
        dots.m_dots.fill(false);
        int position = 0;
        for (size_t k = 1; k < array.size() && position < CompoundDots::kDotCount; ++k) {
            const int n = std::min(TenthsOf(double(array[k]) - double(array[k - 1])),
                                   CompoundDots::kDotCount - position);
            std::fill_n(dots.m_dots.begin() + position, n, k % 2 == 1);
            position += n;
        }
    }
    dots.m_dots.front() = true;
    dots.m_dots.back() = true;
}

} // namespace kelmora
