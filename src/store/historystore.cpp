#include "store/historystore.h"

#include "store/linecheck.h"
#include "store/settingsline.h"

#include <algorithm>

namespace orbelle {
namespace {

bool isGoodLine(const std::string& line) { return isGoodHistoryLine(line); }

} // namespace

HistoryStore::HistoryStore(const std::filesystem::path& folder, Durability durability, int capacity)
    : m_file(folder / kFileName, kOldTempName, durability), m_capacity(std::max(capacity, 1)) {}

StoreResult<int> HistoryStore::count() const {
    StoreResult<int> result;
    StoreResult<std::vector<std::string>> lines = m_file.readLines();
    result.status = std::move(lines.status);
    result.value = static_cast<int>(lines.value.size());
    return result;
}

StoreStatus HistoryStore::append(const DrawSettings& settings) const {
    const std::string line = formatLine(LineVariant::History, settings);
    StoreResult<std::vector<std::string>> lines = m_file.readLines();
    if (!lines.ok()) {
        return std::move(lines.status);
    }
    std::vector<std::string>& all = lines.value;
    if (static_cast<int>(all.size()) < m_capacity) {
        return m_file.appendLine(line);
    }
    all.erase(all.begin(), all.end() - (m_capacity - 1));
    all.push_back(line);
    return m_file.replaceLines(all);
}

StoreResult<std::optional<DrawSettings>> HistoryStore::entry(int k) const {
    StoreResult<std::optional<DrawSettings>> result;
    StoreResult<std::vector<std::string>> lines = m_file.readLines();
    result.status = std::move(lines.status);
    const int count = static_cast<int>(lines.value.size());
    if (result.ok() && k >= 0 && k < count) {
        result.value =
            settingsFromLine(parseLine(lines.value[count - 1 - k]), LineVariant::History);
    }
    return result;
}

StoreResult<int> HistoryStore::clean() const {
    StoreResult<int> result;
    m_file.removeLeftoverTemp();
    StoreResult<std::vector<std::string>> lines = m_file.readLines();
    if (!lines.ok()) {
        result.status = std::move(lines.status);
        return result;
    }
    std::vector<std::string> kept;
    kept.reserve(lines.value.size());
    for (std::string& line : lines.value) {
        if (isGoodLine(line)) {
            kept.push_back(std::move(line));
        }
    }
    result.value = static_cast<int>(lines.value.size() - kept.size());
    if (result.value > 0) {
        result.status = m_file.replaceLines(kept);
    }
    return result;
}

StoreStatus HistoryStore::reset() const { return m_file.replaceContent({}); }

StoreStatus HistoryStore::exportTo(const std::filesystem::path& target) const {
    return m_file.copyTo(target);
}

StoreResult<HistoryImport> HistoryStore::importFrom(const std::filesystem::path& source) const {
    StoreResult<HistoryImport> result;
    StoreResult<std::string> content = readWholeFile(source);
    if (!content.ok()) {
        result.status = std::move(content.status);
        return result;
    }
    std::vector<std::string> lines = splitLines(content.value);
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (std::string& line : lines) {
        if (isGoodLine(line)) {
            kept.push_back(std::move(line));
        }
    }
    if (kept.empty()) {
        // An empty file or another kind of file, which would empty the
        // history.
        result.status = StoreStatus::failure(StoreError::NoHistoryLines, source);
        return result;
    }
    result.value.dropped = static_cast<int>(lines.size() - kept.size());
    if (static_cast<int>(kept.size()) > m_capacity) {
        kept.erase(kept.begin(), kept.end() - m_capacity);
    }
    result.value.entries = static_cast<int>(kept.size());
    result.status = m_file.replaceLines(kept);
    return result;
}

} // namespace orbelle
