#include "formulas/catalog.h"

#include <cstdio>

namespace orbelle {
namespace {

struct FormulaEntry {
    const char* name;
    int paramCount;
    ParamRows defaults;
};

struct RangeException {
    int category;
    int item;
    int row;
    std::int32_t min;
    std::int32_t max;
};

#include "formulas/catalogdata.inc"

// The range every formula gives a row unless an exception says otherwise.
constexpr std::array<ParamRange, kRowCount> kRowRule{{
    {1, 999},    {1, 180},    {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999}, {0, 500},
    {1, 999},    {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999},
    {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999}, {-999, 999},
}};

const char* const kRowLabels[kRowCount] = {
    "回数",   "分割数", "初期角", "拡大",   "初期Ｘ", "初期Ｙ", "定数Ａ",
    "定数Ｂ", "定数Ｃ", "定数Ｄ", "定数Ｅ", "定数Ｆ", "定数Ｇ", "定数Ｈ",
    "要素１", "要素２", "要素３", "要素４", "要素５", "要素６",
};

const char* const kCategoryNames[kCategoryCount] = {
    "宝石", "銀河", "花詞", "占星", "遊戯", "金銀", "音楽", "車輪", "都市", "仁徳",
};

struct CategoryTable {
    const FormulaEntry* entries;
    int count;
};

template <std::size_t N> constexpr CategoryTable table(const FormulaEntry (&entries)[N]) {
    return {entries, static_cast<int>(N)};
}

constexpr CategoryTable kCategories[kCategoryCount] = {
    table(kCategory0), table(kCategory1), table(kCategory2), table(kCategory3), table(kCategory4),
    table(kCategory5), table(kCategory6), table(kCategory7), table(kCategory8), table(kCategory9),
};

struct Catalog {
    std::vector<std::string> categoryNames;
    std::vector<std::vector<FormulaInfo>> formulas;
    std::vector<std::string> rowLabels;
};

Catalog buildCatalog() {
    Catalog catalog;
    for (int c = 0; c < kCategoryCount; ++c) {
        catalog.categoryNames.emplace_back(kCategoryNames[c]);
        std::vector<FormulaInfo> items;
        for (int i = 0; i < kCategories[c].count; ++i) {
            const FormulaEntry& e = kCategories[c].entries[i];
            FormulaInfo info;
            info.name = e.name;
            info.paramCount = e.paramCount;
            info.defaults = e.defaults;
            for (int r = 0; r < kRowCount; ++r) {
                info.ranges[r] = r < e.paramCount ? kRowRule[r] : kInactiveRange;
            }
            items.push_back(std::move(info));
        }
        catalog.formulas.push_back(std::move(items));
    }
    for (const RangeException& x : kRangeExceptions) {
        catalog.formulas[x.category][x.item].ranges[x.row] = {x.min, x.max};
    }
    for (const char* label : kRowLabels) {
        catalog.rowLabels.emplace_back(label);
    }
    return catalog;
}

const Catalog& catalog() {
    static const Catalog instance = buildCatalog();
    return instance;
}

const std::string& emptyString() {
    static const std::string empty;
    return empty;
}

} // namespace

const std::string& categoryName(int category) {
    if (category < 0 || category >= kCategoryCount) {
        return emptyString();
    }
    return catalog().categoryNames[category];
}

int itemCount(int category) {
    if (category < 0 || category >= kCategoryCount) {
        return 0;
    }
    return kCategories[category].count;
}

bool isValidFormula(FormulaId id) { return id.item >= 0 && id.item < itemCount(id.category); }

const std::string& itemName(int category, int item) {
    if (!isValidFormula({category, item})) {
        return emptyString();
    }
    return catalog().formulas[category][item].name;
}

const FormulaInfo& formulaInfo(FormulaId id) {
    if (!isValidFormula(id)) {
        static const FormulaInfo none = [] {
            FormulaInfo info;
            info.ranges.fill(kInactiveRange);
            return info;
        }();
        return none;
    }
    return catalog().formulas[id.category][id.item];
}

const std::string& rowLabel(int row) {
    if (row < 0 || row >= kRowCount) {
        return emptyString();
    }
    return catalog().rowLabels[row];
}

std::vector<CatalogProblem> checkCatalogEntry(FormulaId id) {
    std::vector<CatalogProblem> problems;
    const FormulaInfo& info = formulaInfo(id);
    char text[128];
    for (int r = 0; r < kRowCount; ++r) {
        const ParamRange range = info.ranges[r];
        const std::int32_t value = info.defaults[r];
        if (value < range.min || value > range.max) {
            std::snprintf(text, sizeof text, "コンボ%d,コンボ%d,%d値範囲外", id.category, id.item,
                          r);
            problems.push_back({id, r, text});
        }
        if (range.min >= range.max) {
            std::snprintf(text, sizeof text, "コンボ%d,コンボ%d,%d値 min >= max", id.category,
                          id.item, r);
            problems.push_back({id, r, text});
        }
    }
    return problems;
}

} // namespace orbelle
