#pragma once
// The seven-parameter similarity transformation between two geocentric frames (Helmert transformation,
// coordinate-frame rotation convention).
//
//     X_B = T + s·R·X_A,   T = (dx, dy, dz),   s = 1 + ppm·1e-6,   R = R3(rz)·R2(ry)·R1(rx)
//
// with the exact (not small-angle) rotation matrices R1(α) = [1 0 0; 0 cos α sin α; 0 −sin α cos α],
// R2(β) = [cos β 0 −sin β; 0 1 0; sin β 0 cos β], R3(γ) = [cos γ sin γ 0; −sin γ cos γ 0; 0 0 1].
// For small angles R ≈ [1 rz −ry; −rz 1 rx; ry −rx 1]. This is the convention of EPSG method 1032 and
// of PROJ's "helmert +convention=coordinate_frame +exact".
//
// Units are converted once, at construction: arc-seconds to radians, ppm to a factor.

#include "geodesy/Geocentric.h"

#include <array>

namespace selvir {

struct SevenParameters {
    long double scalePpm = 0; // scale difference, parts per million
    long double rxArcsec = 0; // rotation about X, arc-seconds
    long double ryArcsec = 0;
    long double rzArcsec = 0;
    long double dxM = 0; // shift, metres
    long double dyM = 0;
    long double dzM = 0;

    // Every value finite and the scale factor 1 + ppm·1e-6 positive. Written so that NaN fails.
    bool valid() const;
};

class SevenParameterTransform {
public:
    using Matrix = std::array<std::array<long double, 3>, 3>;

    // Check SevenParameters::valid() first: other parameters give meaningless results.
    explicit SevenParameterTransform(const SevenParameters& parameters = {});

    // X′ = T + s·R·X.
    GeocentricCoordinates forward(const GeocentricCoordinates& point) const {
        const Matrix& m = forward_;
        return {shift_[0] + m[0][0] * point.xM + m[0][1] * point.yM + m[0][2] * point.zM,
                shift_[1] + m[1][0] * point.xM + m[1][1] * point.yM + m[1][2] * point.zM,
                shift_[2] + m[2][0] * point.xM + m[2][1] * point.yM + m[2][2] * point.zM};
    }
    // X′ = (s·R)⁻¹·(X − T), the exact inverse of forward(): R is orthonormal, so (s·R)⁻¹ = Rᵀ / s.
    GeocentricCoordinates inverse(const GeocentricCoordinates& point) const {
        const Matrix& m = inverse_;
        const long double x = point.xM - shift_[0], y = point.yM - shift_[1], z = point.zM - shift_[2];
        return {m[0][0] * x + m[0][1] * y + m[0][2] * z, m[1][0] * x + m[1][1] * y + m[1][2] * z,
                m[2][0] * x + m[2][1] * y + m[2][2] * z};
    }

    const Matrix& rotation() const { return rotation_; } // R, without the scale
    long double scale() const { return scale_; }         // s
    bool identity() const { return identity_; }          // all seven parameters zero

private:
    Matrix rotation_{};
    long double scale_ = 1;
    long double shift_[3] = {0, 0, 0};
    Matrix forward_{}; // s·R
    Matrix inverse_{}; // Rᵀ / s
    bool identity_ = true;
};

} // namespace selvir
