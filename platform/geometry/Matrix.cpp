#include "platform/geometry/Matrix.h"

#include "platform/geometry/Angles.h"

#include <cmath>

namespace kelmora {

Matrix Matrix::Rotation(float degrees)
{
    double c = 1;
    double s = 0;
    CosSinDegrees(degrees, c, s);
    return Matrix(float(c), float(s), float(-s), float(c), 0, 0);
}

void Matrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy)
{
    m_elements = {m11, m12, m21, m22, dx, dy};
}

Matrix operator*(const Matrix& a, const Matrix& b)
{
    const auto& x = a.m_elements;
    const auto& y = b.m_elements;
    double m11 = double(x[0]) * y[0] + double(x[1]) * y[2];
    double m12 = double(x[0]) * y[1] + double(x[1]) * y[3];
    double m21 = double(x[2]) * y[0] + double(x[3]) * y[2];
    double m22 = double(x[2]) * y[1] + double(x[3]) * y[3];
    double dx = double(x[4]) * y[0] + double(x[5]) * y[2] + y[4];
    double dy = double(x[4]) * y[1] + double(x[5]) * y[3] + y[5];
    return Matrix(float(m11), float(m12), float(m21), float(m22), float(dx), float(dy));
}

void Matrix::Multiply(const Matrix& other, MatrixOrder order)
{
    *this = order == MatrixOrder::Prepend ? other * *this : *this * other;
}

void Matrix::Translate(float dx, float dy, MatrixOrder order)
{
    Multiply(Translation(dx, dy), order);
}

void Matrix::Scale(float sx, float sy, MatrixOrder order)
{
    Multiply(Scaling(sx, sy), order);
}

void Matrix::Rotate(float degrees, MatrixOrder order)
{
    Multiply(Rotation(degrees), order);
}

void Matrix::RotateAt(float degrees, PointF centre, MatrixOrder order)
{
    double c = 1;
    double s = 0;
    CosSinDegrees(degrees, c, s);
    // translate(−centre) · rotate · translate(centre), written out to round only once.
    double dx = centre.X - (centre.X * c - centre.Y * s);
    double dy = centre.Y - (centre.X * s + centre.Y * c);
    Multiply(Matrix(float(c), float(s), float(-s), float(c), float(dx), float(dy)), order);
}

void Matrix::Shear(float shx, float shy, MatrixOrder order)
{
    Multiply(Shearing(shx, shy), order);
}

double Matrix::Determinant() const
{
    return double(m_elements[0]) * m_elements[3] - double(m_elements[1]) * m_elements[2];
}

bool Matrix::IsFinite() const
{
    for (float e : m_elements) {
        if (!std::isfinite(e))
            return false;
    }
    return true;
}

std::optional<Matrix> Matrix::Inverted() const
{
    if (!IsFinite())
        return std::nullopt;
    double det = Determinant();
    if (det == 0.0 || !std::isfinite(det))
        return std::nullopt;
    const auto& e = m_elements;
    double m11 = e[3] / det;
    double m12 = -e[1] / det;
    double m21 = -e[2] / det;
    double m22 = e[0] / det;
    double dx = (double(e[2]) * e[5] - double(e[3]) * e[4]) / det;
    double dy = (double(e[1]) * e[4] - double(e[0]) * e[5]) / det;
    Matrix inverse{float(m11), float(m12), float(m21), float(m22), float(dx), float(dy)};
    if (!inverse.IsFinite() || inverse.Determinant() == 0.0)
        return std::nullopt;
    return inverse;
}

bool Matrix::Invert()
{
    auto inverse = Inverted();
    if (!inverse)
        return false;
    *this = *inverse;
    return true;
}

void Matrix::TransformPoints(std::span<PointF> points) const
{
    for (PointF& p : points)
        p = TransformPoint(p);
}

PointF Matrix::TransformVector(PointF v) const
{
    const auto& e = m_elements;
    return PointF(float(double(e[0]) * v.X + double(e[2]) * v.Y), float(double(e[1]) * v.X + double(e[3]) * v.Y));
}

void Matrix::TransformVectors(std::span<PointF> vectors) const
{
    for (PointF& v : vectors)
        v = TransformVector(v);
}

} // namespace kelmora
