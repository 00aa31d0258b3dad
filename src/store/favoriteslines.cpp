#include "store/favoriteslines.h"

#include "store/linecheck.h"
#include "store/settingsline.h"

#include <unordered_map>

namespace orbelle {
namespace {

// The id and parent fields of a line and where the rest (from the comma after
// the parent) starts; the line is left as it is.
struct Head {
    std::int32_t id = 0;
    std::int32_t parent = 0;
    std::size_t rest = 0;
};

Head headOf(std::string_view line) {
    Head head;
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos) {
        head.id = atoiField(line);
        head.rest = line.size();
        return head;
    }
    std::size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos) {
        second = line.size();
    }
    head.id = atoiField(line.substr(0, first));
    head.parent = atoiField(line.substr(first + 1, second - first - 1));
    head.rest = second;
    return head;
}

std::string withHead(std::string_view line, int id, int parent) {
    const Head head = headOf(line);
    std::string out = std::to_string(id);
    out += ',';
    out += std::to_string(parent);
    out += line.substr(head.rest);
    return out;
}

// Counts the fields of a line without splitting it.
std::size_t fieldCountOf(std::string_view line) {
    std::size_t count = 1;
    for (const char c : line) {
        count += c == ',' ? 1 : 0;
    }
    return count;
}

} // namespace

std::string formatFolderLine(int id, int parent, std::string_view name, bool expanded) {
    std::string out = std::to_string(id);
    out += ',';
    out += std::to_string(parent);
    out += ',';
    out += name;
    out += expanded ? ",1,1,1" : ",1,0,1";
    return out;
}

std::string formatFavoriteLine(int id, int parent, std::string_view name,
                               const DrawSettings& settings) {
    return formatLine(LineVariant::Favorite, settings, {id, parent, std::string(name)});
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

FavoritesCleanReport cleanFavoriteLines(std::vector<std::string>& lines) {
    FavoritesCleanReport report;

    // Step 1: the root line, then every valid line.
    bool rootExpanded = true;
    bool firstIsRoot = false;
    if (!lines.empty()) {
        const auto f = splitFields(lines.front());
        if (f.size() == kFolderFieldCount && atoiField(f[0]) == 1 && atoiField(f[1]) == 0 &&
            atoiField(f[3]) == 1 && (atoiField(f[4]) == 0 || atoiField(f[4]) == 1) &&
            atoiField(f[5]) == 1) {
            firstIsRoot = true;
            rootExpanded = atoiField(f[4]) == 1;
        } else {
            report.droppedLines = 1;
        }
    }
    report.rootReplaced = !firstIsRoot;
    std::string root = formatFolderLine(kRootFolderId, 0, kRootFolderName, rootExpanded);
    report.changed = lines.empty() || lines.front() != root;

    struct Entry {
        std::string line;
        Head head;
        bool folder = false;
    };
    std::vector<Entry> kept;
    kept.reserve(lines.size() + 1);
    kept.push_back({std::move(root), {kRootFolderId, 0, 0}, true});
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const FavoriteLineKind kind = classifyFavoriteLine(lines[i]);
        if (kind == FavoriteLineKind::Broken) {
            ++report.droppedLines;
            continue;
        }
        const Head head = headOf(lines[i]);
        kept.push_back({std::move(lines[i]), head, kind == FavoriteLineKind::Folder});
    }

    // Step 2: keep the entries whose chain of parent folders reaches the root.
    std::unordered_map<std::int32_t, std::size_t> folderById;
    folderById.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].folder) {
            folderById.emplace(kept[i].head.id, i);
        }
    }
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> parentIndex(kept.size(), kNone);
    for (std::size_t i = 1; i < kept.size(); ++i) {
        const auto it = folderById.find(kept[i].head.parent);
        if (it != folderById.end() && it->second != i) {
            parentIndex[i] = it->second;
        }
    }
    enum class Reach : unsigned char { Unknown, Walking, Yes, No };
    std::vector<Reach> reach(kept.size(), Reach::Unknown);
    reach[0] = Reach::Yes;
    std::vector<std::size_t> path;
    for (std::size_t i = 1; i < kept.size(); ++i) {
        path.clear();
        std::size_t at = i;
        Reach outcome = Reach::No;
        while (true) {
            if (at == kNone) {
                outcome = Reach::No;
                break;
            }
            if (reach[at] == Reach::Yes || reach[at] == Reach::No) {
                outcome = reach[at];
                break;
            }
            if (reach[at] == Reach::Walking) { // a cycle never reaches the root
                outcome = Reach::No;
                break;
            }
            reach[at] = Reach::Walking;
            path.push_back(at);
            at = parentIndex[at];
        }
        for (const std::size_t p : path) {
            reach[p] = outcome;
        }
    }

    // Step 3: ids become line numbers, parents follow their folders.
    std::vector<std::int32_t> newId(kept.size(), 0);
    std::int32_t next = 1;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (reach[i] == Reach::Yes) {
            newId[i] = next++;
        } else {
            ++report.droppedOrphans;
        }
    }
    lines.clear();
    lines.reserve(static_cast<std::size_t>(next - 1));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (newId[i] == 0) {
            continue;
        }
        const std::int32_t parent = i == 0 ? 0 : newId[parentIndex[i]];
        if (i > 0 && (kept[i].head.id != newId[i] || kept[i].head.parent != parent)) {
            report.renumbered = true;
            lines.push_back(withHead(kept[i].line, newId[i], parent));
        } else {
            lines.push_back(std::move(kept[i].line));
        }
    }
    report.changed =
        report.changed || report.droppedLines > 0 || report.droppedOrphans > 0 || report.renumbered;
    return report;
}

bool moveFavoriteLine(std::vector<std::string>& lines, int source, int target) {
    const int count = static_cast<int>(lines.size());
    if (source < 2 || source > count || target < 2 || target > count || source == target) {
        return false;
    }
    if (fieldCountOf(lines[source - 1]) != kFavoriteFieldCount) {
        return false;
    }
    const bool targetIsFolder = fieldCountOf(lines[target - 1]) == kFolderFieldCount;
    const int newParentOld = targetIsFolder ? target : headOf(lines[target - 1]).parent;
    if (targetIsFolder) {
        setFolderExpanded(lines, target, true);
    }

    // The old ids in their new order.
    std::vector<int> order;
    order.reserve(lines.size());
    for (int id = 1; id <= count; ++id) {
        if (id == source) {
            continue;
        }
        order.push_back(id);
        if (id == target) {
            order.push_back(source);
        }
    }
    std::vector<int> newId(static_cast<std::size_t>(count) + 1, 0);
    for (std::size_t k = 0; k < order.size(); ++k) {
        newId[order[k]] = static_cast<int>(k) + 1;
    }
    const auto mapped = [&](int oldId) { return oldId >= 1 && oldId <= count ? newId[oldId] : 0; };
    std::vector<std::string> moved;
    moved.reserve(lines.size());
    for (const int old : order) {
        std::string& line = lines[old - 1];
        if (old == kRootFolderId) {
            moved.push_back(std::move(line));
            continue;
        }
        const int parentOld = old == source ? newParentOld : headOf(line).parent;
        moved.push_back(withHead(line, newId[old], mapped(parentOld)));
    }
    lines = std::move(moved);
    return true;
}

bool setFolderExpanded(std::vector<std::string>& lines, int id, bool expanded) {
    if (id < 1 || id > static_cast<int>(lines.size())) {
        return false;
    }
    std::string& line = lines[id - 1];
    const auto fields = splitFields(line);
    if (fields.size() != kFolderFieldCount) {
        return false;
    }
    const std::string_view wanted = expanded ? "1" : "0";
    if (fields[4] == wanted) {
        return false;
    }
    line = replaceField(line, 4, wanted);
    return true;
}

std::string replaceField(std::string_view line, int index, std::string_view value) {
    std::size_t start = 0;
    for (int k = 0; k < index; ++k) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            return std::string(line);
        }
        start = comma + 1;
    }
    std::size_t end = line.find(',', start);
    if (end == std::string_view::npos) {
        end = line.size();
    }
    std::string out(line.substr(0, start));
    out += value;
    out += line.substr(end);
    return out;
}

} // namespace orbelle
