// Every seed of the fuzz corpora is read by every reader of settings lines,
// settings files and stores, and what each reader accepts is written back.
// The bytes written are compared, as lengths and FNV-1a sums, with the list
// in corpuswriteback.txt, which was recorded from the program before its
// field layout moved into one table: a change of any written byte shows here.
// Since then only one thing changed, by hand: an import of a file holding
// lines but no record is refused by the store ("refused"), as the desktop
// program had refused it before calling the store.
//
// ORBELLE_RECORD_WRITEBACK=<file> writes the list found instead of checking it.

#include "store/favoritesstore.h"
#include "store/historystore.h"
#include "store/settingsfile.h"
#include "store/settingsline.h"
#include "store/storetest.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

using namespace orbelle;
using namespace orbelle::test;

namespace {

std::string sumOf(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(),
                  static_cast<unsigned long long>(hash));
    return text;
}

// The draw fuzz target's reading: four little-endian bytes a field over the
// start-up record, written as a history line.
std::string fieldsLine(const std::string& data) {
    auto fields = DrawSettings::startup().toFields();
    for (std::size_t k = 0; k < fields.size() && 4 * k + 4 <= data.size(); ++k) {
        std::uint32_t word = 0;
        for (int b = 3; b >= 0; --b) {
            word = (word << 8) | static_cast<unsigned char>(data[4 * k + b]);
        }
        fields[k] = static_cast<std::int32_t>(word);
    }
    return formatLine(LineVariant::History, DrawSettings::fromFields(fields));
}

// "<reader> <length> <sum>" for every reader that accepts the content.
std::vector<std::string> writtenBack(const std::string& content) {
    std::vector<std::string> out;
    const auto note = [&](const char* reader, const std::string& bytes) {
        out.push_back(std::string(reader) + " " + sumOf(bytes));
    };
    const std::vector<std::string> fields = parseLine(content);
    const std::pair<const char*, LineVariant> variants[] = {
        {"history-line", LineVariant::History},
        {"settings-line", LineVariant::SettingsFile},
        {"favorite-line", LineVariant::Favorite}};
    for (const auto& [reader, variant] : variants) {
        if (const auto record = settingsFromLine(fields, variant)) {
            FavoritePrefix prefix;
            if (variant == LineVariant::Favorite) {
                prefix = {atoiField(fields[0]), atoiField(fields[1]), fields[2]};
            }
            note(reader, formatLine(variant, *record, prefix));
        }
    }
    if (const auto record = parseSettingsFile(content)) {
        note("settings-file", formatSettingsFile(*record));
    }
    note("fields", fieldsLine(content));

    // What a store operation leaves in the store file; a refused import
    // leaves the file as it was.
    const auto noteStore = [&](const char* reader, const StoreStatus& status,
                               const std::filesystem::path& file) {
        if (status.ok()) {
            note(reader, readFile(file));
        } else if (status.error() == StoreError::NoHistoryLines ||
                   status.error() == StoreError::NoFavoriteLines) {
            out.push_back(std::string(reader) + " refused");
        }
    };
    const TempFolder folder;
    writeFile(folder / "source", content);
    writeFile(folder / HistoryStore::kFileName, content);
    const HistoryStore history(folder.path(), Durability::NoFlush);
    noteStore("history-clean", history.clean().status, history.filePath());
    noteStore("history-import", history.importFrom(folder / "source").status, history.filePath());
    writeFile(folder / FavoritesStore::kFileName, content);
    const FavoritesStore favorites(folder.path(), Durability::NoFlush);
    noteStore("favorites-load", favorites.load().status, favorites.filePath());
    noteStore("favorites-import", favorites.importFrom(folder / "source").status,
              favorites.filePath());
    return out;
}

std::string listOfCorpus() {
    const std::filesystem::path corpus = ORBELLE_FUZZ_CORPUS;
    std::vector<std::filesystem::path> seeds;
    for (const auto& target : std::filesystem::directory_iterator(corpus)) {
        if (target.path().filename() == "cliargs_fuzz") {
            continue; // command lines, not stored text
        }
        for (const auto& seed : std::filesystem::directory_iterator(target.path())) {
            seeds.push_back(seed.path());
        }
    }
    std::sort(seeds.begin(), seeds.end());
    std::string list;
    for (const std::filesystem::path& seed : seeds) {
        const std::string name =
            seed.parent_path().filename().string() + "/" + seed.filename().string();
        for (const std::string& line : writtenBack(readFile(seed))) {
            list += name + " " + line + "\n";
        }
    }
    return list;
}

TEST(CorpusWriteBack, EverySeedIsWrittenBackAsBefore) {
    const std::string found = listOfCorpus();
    if (const char* record = std::getenv("ORBELLE_RECORD_WRITEBACK")) {
        std::ofstream(record, std::ios::binary) << found;
        GTEST_SKIP() << "recorded to " << record;
    }
    const std::string expected = readFile(ORBELLE_CORPUS_WRITEBACK);
    ASSERT_FALSE(expected.empty()) << ORBELLE_CORPUS_WRITEBACK;
    // Every reader accepts some seed, so no reader is left unchecked.
    for (const char* reader :
         {" history-line ", " settings-line ", " favorite-line ", " settings-file ", " fields ",
          " history-clean ", " history-import ", " favorites-load ", " favorites-import "}) {
        EXPECT_NE(expected.find(reader), std::string::npos) << reader;
    }
    EXPECT_EQ(found, expected);
}

} // namespace
