#include "engine/transform.h"

#include "formulas/numeric.h"

namespace orbelle {

Transform3D Transform3D::fromDegrees(std::int32_t rotX, std::int32_t rotY, std::int32_t rotZ,
                                     std::int32_t scaleZ) {
    const double ax = (static_cast<double>(rotX) * kPi) / 180;
    const double ay = (static_cast<double>(rotY) * kPi) / 180;
    const double az = (static_cast<double>(rotZ) * kPi) / 180;
    return {std::sin(ax),
            std::cos(ax),
            std::sin(ay),
            std::cos(ay),
            std::sin(az),
            std::cos(az),
            static_cast<double>(scaleZ) / 10000};
}

} // namespace orbelle
