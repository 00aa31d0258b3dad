#include "store/historystore.h"

#include "store/settingsline.h"
#include "store/storefile.h"
#include "store/storetest.h"

using namespace orbelle;
using namespace orbelle::test;

namespace {

class HistoryStoreTest : public StoreTest {
  protected:
    const HistoryStore m_store{m_folder.path()};

    std::filesystem::path storePath() const { return m_folder / "csv_history0"; }

    // Writes `count` good lines numbered first..first+count-1, oldest first.
    void writeNumbered(int first, int count) const {
        std::string content;
        for (int n = first; n < first + count; ++n) {
            content += formatLine(LineVariant::History, numbered(n)) + "\r\n";
        }
        writeFile(storePath(), content);
    }

    // The first parameters of all entries, oldest first.
    std::vector<int> numbersInStore() const {
        std::vector<int> numbers;
        const HistoryStore store(m_folder.path(), Durability::NoFlush);
        const int count = store.count().value;
        for (int k = count - 1; k >= 0; --k) {
            const auto entry = store.entry(k);
            numbers.push_back(entry.value ? entry.value->params[0] : -1);
        }
        return numbers;
    }
};

} // namespace

TEST_F(HistoryStoreTest, MissingStoreIsCreatedEmpty) {
    const auto count = m_store.count();
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(count.value, 0);
    EXPECT_TRUE(std::filesystem::exists(storePath()));
    EXPECT_FALSE(m_store.entry(0).value);
}

TEST_F(HistoryStoreTest, AppendWritesTheLineWithCrLf) {
    ASSERT_TRUE(m_store.append(literalRecord()).ok());
    EXPECT_EQ(readFile(storePath()), kLiteralHistoryLine + "\r\n");
    EXPECT_EQ(m_store.entry(0).value, literalRecord());
}

TEST_F(HistoryStoreTest, EntriesAreNumberedFromTheNewest) {
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(m_store.append(numbered(n)).ok());
    }
    EXPECT_EQ(m_store.count().value, 3);
    EXPECT_EQ(m_store.entry(0).value, numbered(3));
    EXPECT_EQ(m_store.entry(1).value, numbered(2));
    EXPECT_EQ(m_store.entry(2).value, numbered(1));
    EXPECT_FALSE(m_store.entry(3).value);
    EXPECT_FALSE(m_store.entry(-1).value);
}

TEST_F(HistoryStoreTest, TheThousandAndFirstDrawingDropsTheOldest) {
    writeNumbered(1, 999);
    ASSERT_TRUE(m_store.append(numbered(1000)).ok());
    EXPECT_EQ(m_store.count().value, 1000); // full, nothing dropped yet
    EXPECT_EQ(m_store.entry(999).value, numbered(1));

    ASSERT_TRUE(m_store.append(numbered(1001)).ok());
    EXPECT_EQ(m_store.count().value, 1000);
    EXPECT_EQ(m_store.entry(0).value, numbered(1001));
    EXPECT_EQ(m_store.entry(999).value, numbered(2));
    const std::string content = readFile(storePath());
    EXPECT_EQ(content.substr(0, content.find("\r\n")),
              formatLine(LineVariant::History, numbered(2)));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "csv_history1"));
}

TEST_F(HistoryStoreTest, CleanDropsAHandBrokenLineAndKeepsTheOrder) {
    writeNumbered(1, 5);
    std::vector<std::string> lines = splitLines(readFile(storePath()));
    lines[2].erase(lines[2].rfind(',')); // line 3 loses its last field
    writeFile(storePath(), joinLines(lines));

    const auto dropped = m_store.clean();
    ASSERT_TRUE(dropped.ok());
    EXPECT_EQ(dropped.value, 1);
    EXPECT_EQ(numbersInStore(), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(m_store.clean().value, 0);
}

TEST_F(HistoryStoreTest, CleanDropsAChangedValueWithTheOldSum) {
    writeFile(storePath(), kLiteralHistoryLine + "\r\n" + "2" + kLiteralHistoryLine.substr(1) +
                               "\r\n" + // category 2
                               "1,3,-75,1" + kLiteralHistoryLine.substr(9) + "\r\n");
    EXPECT_EQ(m_store.clean().value, 2);
    EXPECT_EQ(readFile(storePath()), kLiteralHistoryLine + "\r\n");
}

TEST_F(HistoryStoreTest, CleanLeavesAGoodStoreUntouched) {
    // LF line ends read as well; a clean store is not rewritten with CR LF.
    const std::string content = kLiteralHistoryLine + "\n" + kLiteralHistoryLine + "\n";
    writeFile(storePath(), content);
    EXPECT_EQ(m_store.clean().value, 0);
    EXPECT_EQ(readFile(storePath()), content);
}

TEST_F(HistoryStoreTest, ATornLastLineIsDroppedAndTheNextAppendSurvives) {
    writeNumbered(1, 2);
    const std::string torn = formatLine(LineVariant::History, numbered(3)).substr(0, 40);
    writeFile(storePath(), readFile(storePath()) + torn);
    ASSERT_TRUE(m_store.append(numbered(4)).ok());
    EXPECT_EQ(m_store.clean().value, 1);
    EXPECT_EQ(numbersInStore(), (std::vector<int>{1, 2, 4}));
}

TEST_F(HistoryStoreTest, ResetEmptiesTheStore) {
    writeNumbered(1, 3);
    ASSERT_TRUE(m_store.reset().ok());
    EXPECT_EQ(readFile(storePath()), "");
    EXPECT_EQ(m_store.count().value, 0);
}

TEST_F(HistoryStoreTest, ImportKeepsTheGoodLinesInOrder) {
    writeNumbered(100, 3); // replaced, not merged
    const std::string good = formatLine(LineVariant::History, numbered(1));
    std::string file;
    file += good + "\r\n";
    file += "1,2,3\r\n"; // too few fields
    file += formatLine(LineVariant::History, numbered(2)) + "\n";
    file += formatLine(LineVariant::History, numbered(3)) + "\r\n";
    file += "5" + good.substr(1) + "\r\n"; // changed value, old sum
    file += formatLine(LineVariant::History, numbered(4)) + "\r\n";
    file += formatLine(LineVariant::History, numbered(5)) + "\r\n";
    writeFile(m_folder / "saved.orbhs", file);

    const auto imported = m_store.importFrom(m_folder / "saved.orbhs");
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.value.entries, 5);
    EXPECT_EQ(imported.value.dropped, 2);
    EXPECT_EQ(numbersInStore(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(HistoryStoreTest, ImportOfMoreThanTheCapacityKeepsTheNewest) {
    writeNumbered(1, 5);
    std::filesystem::rename(storePath(), m_folder / "five.orbhs");
    const HistoryStore store(m_folder.path(), Durability::Flush, 3);
    const auto imported = store.importFrom(m_folder / "five.orbhs");
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.value.entries, 3);
    EXPECT_EQ(numbersInStore(), (std::vector<int>{3, 4, 5}));
}

TEST_F(HistoryStoreTest, FailedImportAndExportAreReportedAndChangeNothing) {
    writeNumbered(1, 2);
    const std::string before = readFile(storePath());

    const auto missing = m_store.importFrom(m_folder / "none.orbhs");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.status.path().string().find("none.orbhs"), std::string::npos);
    const auto folder = m_store.importFrom(m_folder.path());
    EXPECT_EQ(folder.status.error(), StoreError::NotRegularFile);
    // A file of lines none of which is a history line is another kind of file.
    writeFile(m_folder / "notes.txt", "a,b\r\n" + kLiteralHistoryLine + ",0\r\n");
    const auto notes = m_store.importFrom(m_folder / "notes.txt");
    EXPECT_EQ(notes.status.error(), StoreError::NoHistoryLines);
    EXPECT_EQ(notes.status.path(), m_folder / "notes.txt");
    EXPECT_EQ(readFile(storePath()), before);
    // An empty file holds no history line either: the history stays.
    writeFile(m_folder / "empty.orbhs", "");
    EXPECT_EQ(m_store.importFrom(m_folder / "empty.orbhs").status.error(),
              StoreError::NoHistoryLines);
    EXPECT_EQ(readFile(storePath()), before);

    const StoreStatus exported = m_store.exportTo(m_folder / "no" / "such" / "x.orbhs");
    EXPECT_FALSE(exported.ok());
    EXPECT_NE(exported.path().string().find("x.orbhs"), std::string::npos);
}

TEST_F(HistoryStoreTest, ExportIsAByteCopy) {
    const std::string content = kLiteralHistoryLine + "\n" + "broken\r\n";
    writeFile(storePath(), content);
    writeFile(m_folder / "out.orbhs", "older content");
    ASSERT_TRUE(m_store.exportTo(m_folder / "out.orbhs").ok());
    EXPECT_EQ(readFile(m_folder / "out.orbhs"), content);
}
