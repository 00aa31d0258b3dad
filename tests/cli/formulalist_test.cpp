// The formula list of "orbelle-cli list": its lines, and the JSON form read
// back by Qt's own JSON reader.

#include "cli/formulalist.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace orbelle;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) {
        fields.push_back(field);
    }
    return fields;
}

} // namespace

TEST(FormulaList, OneLinePerFormulaInCatalogOrder) {
    const std::vector<std::string> lines = linesOf(cli::formulaListText());
    ASSERT_EQ(lines.size(), 166u);
    // "回数" 200 with i from 0 makes 100001 dots; 300 from 1 makes 150000.
    const struct {
        std::size_t index;
        const char* line;
    } known[] = {
        {0, "0\t0\tダイヤモンド\t100001"}, {1, "0\t1\tサファイア\t100001"},
        {2, "0\t2\tルビー\t150000"},       {19, "1\t0\t太陽\t100000"},
        {165, "9\t14\t和\t150000"},
    };
    for (const auto& k : known) {
        EXPECT_EQ(lines[k.index], k.line);
    }
    // Every line has four fields, and the items of a category count up from 0.
    const int items[] = {19, 18, 18, 18, 17, 16, 16, 15, 14, 15};
    std::size_t next = 0;
    for (int c = 0; c < 10; ++c) {
        for (int i = 0; i < items[c]; ++i, ++next) {
            const auto fields = fieldsOf(lines[next]);
            ASSERT_EQ(fields.size(), 4u) << lines[next];
            EXPECT_EQ(fields[0], std::to_string(c)) << lines[next];
            EXPECT_EQ(fields[1], std::to_string(i)) << lines[next];
            EXPECT_FALSE(fields[2].empty()) << lines[next];
            EXPECT_GT(std::stoll(fields[3]), 0) << lines[next];
        }
    }
}

TEST(FormulaList, JsonHoldsTheSameFormulas) {
    const std::string json = cli::formulaListJson();
    EXPECT_EQ(json.rfind("[\n  {\"category\": 0, \"item\": 0, \"name\": \"ダイヤモンド\", "
                         "\"dots\": 100001},\n",
                         0),
              0u);
    EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(document.isArray());
    const QJsonArray array = document.array();
    const std::vector<std::string> lines = linesOf(cli::formulaListText());
    ASSERT_EQ(array.size(), static_cast<qsizetype>(lines.size()));
    for (qsizetype k = 0; k < array.size(); ++k) {
        const QJsonObject object = array[k].toObject();
        EXPECT_EQ(object.size(), 4);
        const std::string asLine = std::to_string(object["category"].toInt()) + "\t" +
                                   std::to_string(object["item"].toInt()) + "\t" +
                                   object["name"].toString().toStdString() + "\t" +
                                   std::to_string(object["dots"].toInteger());
        EXPECT_EQ(asLine, lines[static_cast<std::size_t>(k)]);
    }
}
