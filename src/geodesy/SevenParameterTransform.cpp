// Seven-parameter (Helmert) transformation, coordinate-frame convention, exact rotation matrix.
#include "geodesy/SevenParameterTransform.h"

#include "geodesy/Angles.h"

#include <cmath>

namespace selvir {

bool SevenParameters::valid() const {
    const long double values[] = {scalePpm, rxArcsec, ryArcsec, rzArcsec, dxM, dyM, dzM};
    for (long double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return 1 + scalePpm * 1e-6L > 0;
}

SevenParameterTransform::SevenParameterTransform(const SevenParameters& p) {
    const long double rx = p.rxArcsec * kArcsecondsToRadians;
    const long double ry = p.ryArcsec * kArcsecondsToRadians;
    const long double rz = p.rzArcsec * kArcsecondsToRadians;
    const long double cx = std::cos(rx), sx = std::sin(rx);
    const long double cy = std::cos(ry), sy = std::sin(ry);
    const long double cz = std::cos(rz), sz = std::sin(rz);
    // R3(rz)·R2(ry)·R1(rx), multiplied out.
    rotation_ = {{
        {cy * cz, cx * sz + sx * sy * cz, sx * sz - cx * sy * cz},
        {-cy * sz, cx * cz - sx * sy * sz, sx * cz + cx * sy * sz},
        {sy, -sx * cy, cx * cy},
    }};
    scale_ = 1 + p.scalePpm * 1e-6L;
    shift_[0] = p.dxM;
    shift_[1] = p.dyM;
    shift_[2] = p.dzM;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            forward_[i][j] = scale_ * rotation_[i][j];
            inverse_[i][j] = rotation_[j][i] / scale_;
        }
    }
    identity_ = p.scalePpm == 0 && p.rxArcsec == 0 && p.ryArcsec == 0 && p.rzArcsec == 0 && p.dxM == 0 &&
                p.dyM == 0 && p.dzM == 0;
}

} // namespace selvir
