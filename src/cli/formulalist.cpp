#include "cli/formulalist.h"

#include "formulas/catalog.h"
#include "formulas/formula.h"

#include <cstdint>
#include <cstdio>

namespace orbelle::cli {
namespace {

struct ListedFormula {
    int category = 0;
    int item = 0;
    const std::string* name = nullptr;
    std::int64_t dots = 0;
};

// Calls visit for every formula of the catalog in order.
template <class Visit> void forEachFormula(Visit visit) {
    for (int c = 0; c < kCategoryCount; ++c) {
        for (int i = 0; i < itemCount(c); ++i) {
            const FormulaId id{c, i};
            const FormulaInfo& info = formulaInfo(id);
            const std::optional<FormulaRun> run = prepareFormula(id, info.defaults);
            visit(ListedFormula{c, i, &info.name, run ? run->iterations() : 0});
        }
    }
}

// A JSON string: quotes, backslashes and control characters escaped, other
// UTF-8 bytes as they are.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace

std::string formulaListText() {
    std::string out;
    forEachFormula([&out](const ListedFormula& f) {
        out += std::to_string(f.category) + "\t" + std::to_string(f.item) + "\t" + *f.name + "\t" +
               std::to_string(f.dots) + "\n";
    });
    return out;
}

std::string formulaListJson() {
    std::string out = "[\n";
    bool first = true;
    forEachFormula([&](const ListedFormula& f) {
        out += first ? "  " : ",\n  ";
        first = false;
        out += "{\"category\": " + std::to_string(f.category) +
               ", \"item\": " + std::to_string(f.item) + ", \"name\": " + jsonString(*f.name) +
               ", \"dots\": " + std::to_string(f.dots) + "}";
    });
    return out + "\n]\n";
}

} // namespace orbelle::cli
