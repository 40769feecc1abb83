// 4x4 matrices in the column-major layout the graphics library loads, with the few builders the
// camera needs (translation, rotation, scale, orthographic and perspective boxes) and an inverse.
#pragma once

#include <array>

namespace plicato {

// Element (row r, column c) is m[c * 4 + r], as glLoadMatrixd expects.
struct Matrix4 {
    std::array<double, 16> m{};

    static Matrix4 identity();
    static Matrix4 translation(double x, double y, double z);
    // Rotation by `degrees` about the axis (x, y, z), which must be a unit vector.
    static Matrix4 rotation(double degrees, double x, double y, double z);
    static Matrix4 scaling(double x, double y, double z);
    static Matrix4 orthographic(double left, double right, double bottom, double top, double near,
                                double far);
    static Matrix4 perspective(double fovyDegrees, double aspect, double near, double far);

    double at(int row, int col) const { return m[col * 4 + row]; }
    double& at(int row, int col) { return m[col * 4 + row]; }

    friend Matrix4 operator*(const Matrix4& a, const Matrix4& b);
    // Applies the matrix to the column vector v.
    std::array<double, 4> apply(const std::array<double, 4>& v) const;
    // False (and `out` untouched) when the matrix is singular.
    bool inverse(Matrix4& out) const;
};

} // namespace plicato
