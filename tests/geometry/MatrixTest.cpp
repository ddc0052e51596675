#include "platform/geometry/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

namespace {

void ExpectElements(const Matrix& m, std::array<float, 6> expected)
{
    auto e = m.Elements();
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(e[i], expected[i], 1e-5) << "element " << i;
}

void ExpectPoint(PointF actual, float x, float y)
{
    EXPECT_NEAR(actual.X, x, 1e-4);
    EXPECT_NEAR(actual.Y, y, 1e-4);
}

} // namespace

TEST(Matrix, ProductMeansFirstLeftThenRight)
{
    Matrix translate = Matrix::Translation(10, 0);
    Matrix rotate = Matrix::Rotation(90);
    // (1, 0) translated to (11, 0), then turned a quarter clockwise on screen to (0, 11).
    ExpectPoint((translate * rotate).TransformPoint(PointF(1, 0)), 0, 11);
    // Turned first to (0, 1), then translated to (10, 1).
    ExpectPoint((rotate * translate).TransformPoint(PointF(1, 0)), 10, 1);
}

TEST(Matrix, PrependActsFirstAppendActsLast)
{
    // Identity, Translate(10, 0), Rotate(90) prepended: M = R·T, (1, 0) → (0, 1) → (10, 1).
    Matrix prepend;
    prepend.Translate(10, 0);
    prepend.Rotate(90);
    ExpectElements(prepend, {0, 1, -1, 0, 10, 0});
    ExpectPoint(prepend.TransformPoint(PointF(1, 0)), 10, 1);

    // The same calls appended: M = T·R, (1, 0) → (11, 0) → (0, 11).
    Matrix append;
    append.Translate(10, 0, MatrixOrder::Append);
    append.Rotate(90, MatrixOrder::Append);
    ExpectElements(append, {0, 1, -1, 0, 0, 10});
    ExpectPoint(append.TransformPoint(PointF(1, 0)), 0, 11);

    // Scale and translate by hand: prepend p·S then +T … append (p + T)·S.
    Matrix s(1, 0, 0, 1, 5, 7);
    s.Scale(2, 3);
    ExpectElements(s, {2, 0, 0, 3, 5, 7});
    Matrix t(1, 0, 0, 1, 5, 7);
    t.Scale(2, 3, MatrixOrder::Append);
    ExpectElements(t, {2, 0, 0, 3, 10, 21});

    Matrix a(1, 2, 3, 4, 5, 6);
    Matrix b(7, 8, 9, 10, 11, 12);
    Matrix m = a;
    m.Multiply(b, MatrixOrder::Append);
    // Rows [1 2; 3 4; 5 6 1] times [7 8; 9 10; 11 12 1].
    ExpectElements(m, {25, 28, 57, 64, 100, 112});
    m = a;
    m.Multiply(b);
    EXPECT_EQ(m, b * a);
}

TEST(Matrix, ElementaryMatrices)
{
    // Quarter turns are exact and compose without drift.
    Matrix twice = Matrix::Rotation(90) * Matrix::Rotation(90);
    EXPECT_EQ(twice, Matrix::Rotation(180));
    EXPECT_EQ(Matrix::Rotation(-90), Matrix::Rotation(270));

    // Shear: x' = x + shx·y, y' = y + shy·x.
    ExpectPoint(Matrix::Shearing(2, 0).TransformPoint(PointF(1, 3)), 7, 3);
    ExpectPoint(Matrix::Shearing(0, 2).TransformPoint(PointF(1, 3)), 1, 5);
    // Vectors ignore the translation.
    ExpectPoint(Matrix(2, 0, 0, 3, 100, 200).TransformVector(PointF(1, 1)), 2, 3);

    Matrix about;
    about.RotateAt(90, PointF(10, 10));
    ExpectPoint(about.TransformPoint(PointF(10, 10)), 10, 10);
    ExpectPoint(about.TransformPoint(PointF(20, 10)), 10, 20);
    // RotateAt appended after a translation turns the translated point about the centre.
    Matrix moved = Matrix::Translation(10, 0);
    moved.RotateAt(90, PointF(10, 0), MatrixOrder::Append);
    ExpectPoint(moved.TransformPoint(PointF(1, 0)), 10, 1);
}

TEST(Matrix, InvertRoundTripsAndFailsOnSingular)
{
    Matrix m(2, 1, -1, 3, 5, -7);
    auto inverse = m.Inverted();
    ASSERT_TRUE(inverse);
    Matrix product = m * *inverse;
    ExpectElements(product, {1, 0, 0, 1, 0, 0});
    PointF p = m.TransformPoint(PointF(3, 4));
    ExpectPoint(inverse->TransformPoint(p), 3, 4);

    Matrix singular(1, 2, 2, 4, 5, 6);
    EXPECT_FALSE(singular.IsInvertible());
    EXPECT_FALSE(singular.Inverted());
    EXPECT_FALSE(singular.Invert());
    EXPECT_EQ(singular, Matrix(1, 2, 2, 4, 5, 6)); // left as it was

    Matrix scaledAway = Matrix::Scaling(0, 1);
    EXPECT_FALSE(scaledAway.Invert());

    Matrix withNaN(1, 0, 0, 1, NAN, 0);
    EXPECT_FALSE(withNaN.IsInvertible());
    EXPECT_FALSE(withNaN.IsFinite());
    Matrix withInfinity(std::numeric_limits<float>::infinity(), 0, 0, 1, 0, 0);
    EXPECT_FALSE(withInfinity.IsInvertible());
    // Invertible in principle, but the inverse does not fit in floats.
    Matrix tiny(1e-39f, 0, 0, 1e-39f, 0, 0);
    EXPECT_FALSE(tiny.IsInvertible());
}

} // namespace kelmora
