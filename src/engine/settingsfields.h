#pragma once
// The layout of a settings record's 68 stored fields, written once: every
// member of DrawSettings in stored order, with the range its values may take
// and the kind that decides how the field is checked, blended between
// animation frames and written to a line. The stored fields, the range check,
// the blend and the line formats all loop over this table; a new member takes
// one new entry here.

#include "engine/drawsettings.h"

#include <array>
#include <cstdint>

namespace orbelle {

enum class FieldKind {
    Formula, ///< category and item: checked against the catalog, never blended
    Row,     ///< a parameter row: the catalog's range of the formula, 0 when unused
    Number,  ///< a count or measure: blended as an integer
    Angle,   ///< degrees 0..359: blended the short way round
    Colour,  ///< 24 bits 0x00BBGGRR: stored without a high byte, blended per channel
    Choice,  ///< a mode: taken whole at the middle frame
    Flag,    ///< 0 or 1: taken whole at the middle frame
};

/// One member of DrawSettings: a single value or an array of `count` values,
/// each a stored field of its own.
struct SettingsField {
    const char* name; ///< names the field's range in messages
    FieldKind kind;
    std::int32_t min;
    std::int32_t max;
    int count;
    std::int32_t* (*first)(DrawSettings&); ///< the member's first value

    std::int32_t* values(DrawSettings& s) const { return first(s); }
    const std::int32_t* values(const DrawSettings& s) const {
        return first(const_cast<DrawSettings&>(s));
    }
};

inline constexpr SettingsField kSettingsFields[] = {
    {"category", FieldKind::Formula, 0, 0, 1, [](DrawSettings& s) { return &s.category; }},
    {"item", FieldKind::Formula, 0, 0, 1, [](DrawSettings& s) { return &s.item; }},
    {"param", FieldKind::Row, 0, 0, kRowCount, [](DrawSettings& s) { return s.params.data(); }},
    {"pen width", FieldKind::Number, 1, 100, 1, [](DrawSettings& s) { return &s.penWidth; }},
    {"drawing colour mode", FieldKind::Choice, 0, kDrawColourModeCount - 1, 1,
     [](DrawSettings& s) { return &s.drawColorMode; }},
    {"colour", FieldKind::Colour, 0, 0xFFFFFF, 1, [](DrawSettings& s) { return &s.drawColor; }},
    {"background colour mode", FieldKind::Choice, 0, kBackColourModeCount - 1, 1,
     [](DrawSettings& s) { return &s.backColorMode; }},
    {"colour", FieldKind::Colour, 0, 0xFFFFFF, 1, [](DrawSettings& s) { return &s.backColor; }},
    {"flag", FieldKind::Flag, 0, 1, 1, [](DrawSettings& s) { return &s.gradientSmooth; }},
    {"gradient repeat", FieldKind::Number, 1, 30, 1,
     [](DrawSettings& s) { return &s.gradientRepeat; }},
    {"flag", FieldKind::Flag, 0, 1, 5, [](DrawSettings& s) { return s.gradientStopOn.data(); }},
    {"colour", FieldKind::Colour, 0, 0xFFFFFF, 7,
     [](DrawSettings& s) { return s.gradientColors.data(); }},
    {"rotation", FieldKind::Angle, 0, 359, 1, [](DrawSettings& s) { return &s.rotZ; }},
    {"rotation", FieldKind::Angle, 0, 359, 1, [](DrawSettings& s) { return &s.rotX; }},
    {"rotation", FieldKind::Angle, 0, 359, 1, [](DrawSettings& s) { return &s.rotY; }},
    {"magnification", FieldKind::Number, -999, 999, 1, [](DrawSettings& s) { return &s.scaleZ; }},
    {"magnification", FieldKind::Number, -999, 999, 1, [](DrawSettings& s) { return &s.zoom; }},
    {"shift", FieldKind::Number, -100, 100, 1, [](DrawSettings& s) { return &s.shiftV; }},
    {"shift", FieldKind::Number, -100, 100, 1, [](DrawSettings& s) { return &s.shiftH; }},
    {"flag", FieldKind::Flag, 0, 1, kRowCount,
     [](DrawSettings& s) { return s.paramLocked.data(); }},
};

static_assert(
    [] {
        int total = 0;
        for (const SettingsField& field : kSettingsFields) {
            total += field.count;
        }
        return total;
    }() == kSettingsFieldCount,
    "the table holds every stored field");

/// The kind of every stored field, by its index.
inline constexpr std::array<FieldKind, kSettingsFieldCount> kFieldKinds = [] {
    std::array<FieldKind, kSettingsFieldCount> kinds{};
    int index = 0;
    for (const SettingsField& field : kSettingsFields) {
        for (int k = 0; k < field.count; ++k) {
            kinds[index++] = field.kind;
        }
    }
    return kinds;
}();

constexpr bool isColourField(int index) { return kFieldKinds[index] == FieldKind::Colour; }

/// Calls visit(field, index, value) for every stored field in order, where
/// index is the stored index and value refers to the record's member.
template <typename Record, typename Visit> void forEachField(Record& record, Visit&& visit) {
    int index = 0;
    for (const SettingsField& field : kSettingsFields) {
        auto* values = field.values(record);
        for (int k = 0; k < field.count; ++k) {
            visit(field, index++, values[k]);
        }
    }
}

} // namespace orbelle
