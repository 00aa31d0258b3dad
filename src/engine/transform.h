#pragma once
// The 3D transform of a plotted point: the point's index along the drawing is
// its depth; the figure is turned by the Z, X and Y angles and projected back
// orthographically. Sines and cosines are taken once per drawing.

#include <cmath>
#include <cstdint>

namespace orbelle {

struct Transform3D {
    double sinX, cosX, sinY, cosY, sinZ, cosZ;
    double zf; // depth factor

    /// Angles in whole degrees, converted as (value * pi) / 180;
    /// zf = scaleZ / 10000.
    static Transform3D fromDegrees(std::int32_t rotX, std::int32_t rotY, std::int32_t rotZ,
                                   std::int32_t scaleZ);

    /// Transforms (x, y) of dot i of N in place.
    void apply(double& x, double& y, std::int64_t i, std::int32_t N) const {
        const double z = static_cast<double>(i - N / 2) * zf;
        const double u = sinZ * x + cosZ * y;
        const double newY = cosX * u - sinX * z;
        const double newX = sinY * (sinX * u + cosX * z) + cosY * (cosZ * x - sinZ * y);
        x = newX;
        y = newY;
    }
};

} // namespace orbelle
