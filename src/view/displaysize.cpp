#include "view/displaysize.h"

#include <cstdlib>

namespace orbelle {

int displaySizeForStep(int step) {
    unsigned n = static_cast<unsigned>(std::abs(step));
    double base = 1.2;
    double power = 1.0;
    for (;;) {
        if ((n & 1u) != 0) {
            power *= base;
        }
        n >>= 1;
        if (n == 0) {
            break;
        }
        base *= base;
    }
    if (step < 0) {
        power = 1.0 / power;
    }
    return static_cast<int>(800.0 * power);
}

} // namespace orbelle
