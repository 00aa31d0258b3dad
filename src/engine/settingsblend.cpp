#include "engine/settingsblend.h"

#include "engine/settingsfields.h"

namespace orbelle {
namespace {

// num / den rounded to the nearest integer, halves away from zero; den > 0.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den) {
    if (num >= 0) {
        return (2 * num + den) / (2 * den);
    }
    return -((-2 * num + den) / (2 * den));
}

// A choice or flag: the first value before the middle frame, the last from it on.
std::int32_t pick(std::int32_t a, std::int32_t b, int k, int n) { return 2 * k >= n ? b : a; }

} // namespace

std::int32_t blendInteger(std::int32_t a, std::int32_t b, int k, int n) {
    const std::int64_t num = std::int64_t{a} * n + (std::int64_t{b} - a) * k;
    return static_cast<std::int32_t>(roundedQuotient(num, n));
}

std::int32_t blendAngle(std::int32_t a, std::int32_t b, int k, int n) {
    // The turn from a to b in (-180, 180].
    std::int64_t turn = ((std::int64_t{b} - a) % 360 + 360) % 360;
    if (turn > 180) {
        turn -= 360;
    }
    // The angle in units of 1/n degree, brought into [0, 360) before
    // rounding so that one direction rounds the same however it is reached.
    const std::int64_t full = 360 * std::int64_t{n};
    const std::int64_t num = ((std::int64_t{a} * n + turn * k) % full + full) % full;
    return static_cast<std::int32_t>(roundedQuotient(num, n) % 360);
}

std::int32_t blendColour(std::int32_t a, std::int32_t b, int k, int n) {
    return packRgb(blendInteger(redOf(a), redOf(b), k, n),
                   blendInteger(greenOf(a), greenOf(b), k, n),
                   blendInteger(blueOf(a), blueOf(b), k, n));
}

namespace {

std::int32_t blendField(FieldKind kind, std::int32_t a, std::int32_t b, int k, int n) {
    switch (kind) {
    case FieldKind::Formula:
        return a;
    case FieldKind::Row:
    case FieldKind::Number:
        return blendInteger(a, b, k, n);
    case FieldKind::Angle:
        return blendAngle(a, b, k, n);
    case FieldKind::Colour:
        return blendColour(a, b, k, n);
    case FieldKind::Choice:
    case FieldKind::Flag:
        break;
    }
    return pick(a, b, k, n);
}

} // namespace

DrawSettings blendSettings(const DrawSettings& from, const DrawSettings& to, int k,
                           int frameCount) {
    if (frameCount <= 1) {
        return from;
    }
    const int n = frameCount - 1;
    DrawSettings s = from;
    for (const SettingsField& field : kSettingsFields) {
        const std::int32_t* a = field.values(from);
        const std::int32_t* b = field.values(to);
        std::int32_t* out = field.values(s);
        for (int c = 0; c < field.count; ++c) {
            out[c] = blendField(field.kind, a[c], b[c], k, n);
        }
    }
    return s;
}

} // namespace orbelle
