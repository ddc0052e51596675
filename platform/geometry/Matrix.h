#pragma once
// A 3×2 affine matrix with GDI+ conventions.
//
// Points are row vectors: [x' y' 1] = [x y 1] · M, so
//     x' = m11·x + m21·y + dx
//     y' = m12·x + m22·y + dy
// Elements are kept, read and written in the order (m11, m12, m21, m22, dx, dy), the order
// GDI+ and cairo_matrix_init both use and the one stored in files.
//
// Product order: a * b means "first a, then b" — the point is mapped by a and the result by
// b ([x y 1]·a·b). The operations that combine a matrix X into this one M take an order:
//     MatrixOrder::Prepend (the default):  M ← X * M   (X acts first, in the local space)
//     MatrixOrder::Append:                 M ← M * X   (X acts last, in the outer space)
//
// Angles are in degrees; a positive angle turns +x toward +y, which is clockwise on a
// screen whose y grows downward. Elements are 32-bit floats as GDI+ stores them; products
// are formed in double precision and rounded once.

#include "platform/geometry/PointF.h"

#include <array>
#include <optional>
#include <span>

namespace kelmora {

enum class MatrixOrder {
    Prepend = 0,
    Append = 1,
};

class Matrix {
public:
    // The identity.
    constexpr Matrix() = default;
    constexpr Matrix(float m11, float m12, float m21, float m22, float dx, float dy)
        : m_elements{m11, m12, m21, m22, dx, dy} { }

    static Matrix Translation(float dx, float dy) { return Matrix(1, 0, 0, 1, dx, dy); }
    static Matrix Scaling(float sx, float sy) { return Matrix(sx, 0, 0, sy, 0, 0); }
    static Matrix Rotation(float degrees);
    // x' = x + shx·y, y' = y + shy·x.
    static Matrix Shearing(float shx, float shy) { return Matrix(1, shy, shx, 1, 0, 0); }

    // (m11, m12, m21, m22, dx, dy).
    std::array<float, 6> Elements() const { return m_elements; }
    void SetElements(float m11, float m12, float m21, float m22, float dx, float dy);
    float M11() const { return m_elements[0]; }
    float M12() const { return m_elements[1]; }
    float M21() const { return m_elements[2]; }
    float M22() const { return m_elements[3]; }
    float OffsetX() const { return m_elements[4]; }
    float OffsetY() const { return m_elements[5]; }

    void Reset() { *this = Matrix(); }

    void Multiply(const Matrix& other, MatrixOrder order = MatrixOrder::Prepend);
    void Translate(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    void Scale(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    void Rotate(float degrees, MatrixOrder order = MatrixOrder::Prepend);
    // Rotation about centre: translate(−centre), rotate, translate(centre), combined as one
    // matrix in the given order.
    void RotateAt(float degrees, PointF centre, MatrixOrder order = MatrixOrder::Prepend);
    void Shear(float shx, float shy, MatrixOrder order = MatrixOrder::Prepend);

    // Singular: the determinant m11·m22 − m12·m21 is 0. A matrix with a non-finite element,
    // or whose inverse would not fit in floats, is not invertible either.
    bool IsInvertible() const { return Inverted().has_value(); }
    std::optional<Matrix> Inverted() const;
    // Replaces the matrix by its inverse; false (and the matrix unchanged) when it has none.
    bool Invert();

    bool IsIdentity() const { return *this == Matrix(); }
    bool IsFinite() const;
    double Determinant() const;

    // Full affine map, translation included: worked in double, rounded to float once.
    // Inline, as paths map every point through it at every paint.
    PointF TransformPoint(PointF point) const
    {
        const auto& e = m_elements;
        return PointF(float(double(e[0]) * point.X + double(e[2]) * point.Y + e[4]),
                      float(double(e[1]) * point.X + double(e[3]) * point.Y + e[5]));
    }
    void TransformPoints(std::span<PointF> points) const;
    // Linear part only (dx, dy ignored): for directions and sizes.
    PointF TransformVector(PointF vector) const;
    void TransformVectors(std::span<PointF> vectors) const;

    // a * b: first a, then b.
    friend Matrix operator*(const Matrix& a, const Matrix& b);
    friend bool operator==(const Matrix& a, const Matrix& b) { return a.m_elements == b.m_elements; }

private:
    std::array<float, 6> m_elements{1, 0, 0, 1, 0, 0};
};

} // namespace kelmora
