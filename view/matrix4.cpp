// Matrix builders with the same results as the classic fixed-function matrix calls.
#include "view/matrix4.h"

#include <cmath>
#include <numbers>

namespace plicato {

Matrix4 Matrix4::identity() {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        r.at(i, i) = 1.0;
    return r;
}

Matrix4 Matrix4::translation(double x, double y, double z) {
    Matrix4 r = identity();
    r.at(0, 3) = x;
    r.at(1, 3) = y;
    r.at(2, 3) = z;
    return r;
}

Matrix4 Matrix4::rotation(double degrees, double x, double y, double z) {
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    Matrix4 r = identity();
    r.at(0, 0) = x * x * t + c;
    r.at(0, 1) = x * y * t - z * s;
    r.at(0, 2) = x * z * t + y * s;
    r.at(1, 0) = y * x * t + z * s;
    r.at(1, 1) = y * y * t + c;
    r.at(1, 2) = y * z * t - x * s;
    r.at(2, 0) = z * x * t - y * s;
    r.at(2, 1) = z * y * t + x * s;
    r.at(2, 2) = z * z * t + c;
    return r;
}

Matrix4 Matrix4::scaling(double x, double y, double z) {
    Matrix4 r = identity();
    r.at(0, 0) = x;
    r.at(1, 1) = y;
    r.at(2, 2) = z;
    return r;
}

Matrix4 Matrix4::orthographic(double left, double right, double bottom, double top, double near,
                              double far) {
    Matrix4 r = identity();
    r.at(0, 0) = 2.0 / (right - left);
    r.at(1, 1) = 2.0 / (top - bottom);
    r.at(2, 2) = -2.0 / (far - near);
    r.at(0, 3) = -(right + left) / (right - left);
    r.at(1, 3) = -(top + bottom) / (top - bottom);
    r.at(2, 3) = -(far + near) / (far - near);
    return r;
}

Matrix4 Matrix4::perspective(double fovyDegrees, double aspect, double near, double far) {
    const double f = 1.0 / std::tan(fovyDegrees * std::numbers::pi / 360.0);
    Matrix4 r;
    r.at(0, 0) = f / aspect;
    r.at(1, 1) = f;
    r.at(2, 2) = (far + near) / (near - far);
    r.at(2, 3) = 2.0 * far * near / (near - far);
    r.at(3, 2) = -1.0;
    return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a.at(row, k) * b.at(k, col);
            r.at(row, col) = sum;
        }
    return r;
}

std::array<double, 4> Matrix4::apply(const std::array<double, 4>& v) const {
    std::array<double, 4> r{};
    for (int row = 0; row < 4; ++row)
        r[row] = at(row, 0) * v[0] + at(row, 1) * v[1] + at(row, 2) * v[2] + at(row, 3) * v[3];
    return r;
}

bool Matrix4::inverse(Matrix4& out) const {
    // Gauss-Jordan elimination with partial pivoting on [A | I].
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = at(r, c);
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (!(std::fabs(a[pivot][col]) > 0.0) || !std::isfinite(a[pivot][col]))
            return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double inv = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0)
                continue;
            const double f = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.at(r, c) = a[r][c + 4];
    return true;
}

} // namespace plicato
