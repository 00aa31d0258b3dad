#include "app/customisation.h"

#include <gtest/gtest.h>

using namespace orbelle;
using enum orbelle::CommandId;

namespace {

constexpr CommandId kSep = kToolBarSeparator;
constexpr int kStd = Customisation::kStandardToolBarId;

// The ten buttons of "標準" in their three groups and one more group of two.
const QList<CommandId> kStandard = {Enlarge, Shrink,     StandardSize, kSep,           ZoomIn,
                                    ZoomOut, CentreView, kSep,         HistoryForward, HistoryBack,
                                    kSep,    Draw,       DrawRandom};

Customisation make() {
    const QHash<CommandId, QString> shortcuts = {
        {Draw, "F3"},
        {DrawRandom, "F4"},
        {Enlarge, "F5"},
        {Shrink, "F6"},
        {StandardSize, "F7"},
        {ZoomIn, "F9"},
        {ZoomOut, "F10"},
        {CentreView, "F11"},
        {HistoryBack, "Ctrl+Z"},
        {HistoryForward, "Ctrl+D"},
        {HistoryPreviousPage, "Ctrl+Shift+Z"},
        {ResetColourStroke, ""},
        {Reset3D, ""},
    };
    return Customisation(QStringLiteral("標準"), kStandard, shortcuts);
}

QList<CommandId> buttons(const Customisation& c, int id) { return c.toolBar(id)->buttons; }

} // namespace

TEST(CustomisationTest, ButtonsAreAddedRemovedAndReorderedWithTidySeparators) {
    Customisation c = make();
    EXPECT_EQ(buttons(c, kStd), kStandard);

    // Added at the end, then a button already there moves instead of doubling.
    EXPECT_TRUE(c.insertButton(kStd, 99, Reset3D));
    EXPECT_EQ(buttons(c, kStd).last(), Reset3D);
    EXPECT_TRUE(c.insertButton(kStd, 0, Draw));
    EXPECT_EQ(buttons(c, kStd), (QList<CommandId>{Draw, Enlarge, Shrink, StandardSize, kSep, ZoomIn,
                                                  ZoomOut, CentreView, kSep, HistoryForward,
                                                  HistoryBack, kSep, DrawRandom, Reset3D}));

    // Draw from the front to stand before StandardSize (item 3).
    EXPECT_TRUE(c.moveButton(kStd, 0, kStd, 3));
    EXPECT_EQ(buttons(c, kStd).mid(0, 4), (QList<CommandId>{Enlarge, Shrink, Draw, StandardSize}));
    // And backwards: Reset3D (item 13) to the front.
    EXPECT_TRUE(c.moveButton(kStd, 13, kStd, 0));
    EXPECT_EQ(buttons(c, kStd).first(), Reset3D);
    EXPECT_EQ(buttons(c, kStd).last(), DrawRandom);

    // Taking off both history buttons leaves one separator, not two.
    // Now: R3D En Sh Dr SS - ZI ZO CV - HF HB - DR
    EXPECT_TRUE(c.removeButton(kStd, 10));
    EXPECT_TRUE(c.removeButton(kStd, 10));
    EXPECT_EQ(buttons(c, kStd),
              (QList<CommandId>{Reset3D, Enlarge, Shrink, Draw, StandardSize, kSep, ZoomIn, ZoomOut,
                                CentreView, kSep, DrawRandom}));

    // Separators only between two buttons.
    EXPECT_FALSE(c.insertSeparator(kStd, 0));
    EXPECT_FALSE(c.insertSeparator(kStd, 11));
    EXPECT_FALSE(c.insertSeparator(kStd, 5));
    EXPECT_FALSE(c.insertSeparator(kStd, 6));
    EXPECT_TRUE(c.insertSeparator(kStd, 1));
    EXPECT_EQ(buttons(c, kStd).mid(0, 3), (QList<CommandId>{Reset3D, kSep, Enlarge}));
    // Removing the button before a separator at the front takes the separator too.
    EXPECT_TRUE(c.removeButton(kStd, 0));
    EXPECT_EQ(buttons(c, kStd).first(), Enlarge);

    // Nothing changes for what is not there.
    const QList<CommandId> before = buttons(c, kStd);
    EXPECT_FALSE(c.insertButton(kStd, 0, CommandId{4242}));
    EXPECT_FALSE(c.insertButton(kStd, 0, kSep));
    EXPECT_FALSE(c.insertButton(59999, 0, Draw));
    EXPECT_FALSE(c.removeButton(kStd, 10));
    EXPECT_FALSE(c.removeButton(kStd, -1));
    EXPECT_FALSE(c.moveButton(kStd, 10, kStd, 0));
    EXPECT_EQ(buttons(c, kStd), before);

    c.resetStandardToolBar();
    EXPECT_EQ(buttons(c, kStd), kStandard);
}

TEST(CustomisationTest, UserToolBarsAreCreatedRenamedAndDeleted) {
    using Problem = Customisation::NameProblem;
    Customisation c = make();
    EXPECT_EQ(c.checkName(QStringLiteral("標準")), Problem::Taken);
    EXPECT_EQ(c.checkName(QStringLiteral("   ")), Problem::Empty);
    EXPECT_FALSE(c.addUserToolBar(QString()));

    EXPECT_EQ(c.addUserToolBar(QStringLiteral(" 私の道具 ")), 59432);
    EXPECT_EQ(c.addUserToolBar(QStringLiteral("二番目")), 59433);
    EXPECT_EQ(c.toolBar(59432)->name, QStringLiteral("私の道具"));
    EXPECT_EQ(c.checkName(QStringLiteral("私の道具")), Problem::Taken);
    EXPECT_TRUE(c.toolBar(59432)->buttons.isEmpty());

    // A button dragged from "標準" to the user toolbar leaves "標準".
    EXPECT_TRUE(c.moveButton(kStd, 0, 59432, 0));
    EXPECT_EQ(buttons(c, 59432), QList<CommandId>{Enlarge});
    EXPECT_EQ(buttons(c, kStd).first(), Shrink);
    EXPECT_TRUE(c.insertButton(59432, 1, Draw));
    EXPECT_TRUE(c.insertSeparator(59432, 1));
    EXPECT_EQ(buttons(c, 59432), (QList<CommandId>{Enlarge, kSep, Draw}));
    // A separator dragged to the end of another toolbar would stand alone.
    EXPECT_FALSE(c.moveButton(59432, 1, 59433, 0));

    // Renaming: only user toolbars, to a free name; its own name is allowed.
    EXPECT_TRUE(c.renameUserToolBar(59432, QStringLiteral("描画用")));
    EXPECT_TRUE(c.renameUserToolBar(59432, QStringLiteral("描画用")));
    EXPECT_FALSE(c.renameUserToolBar(59432, QStringLiteral("二番目")));
    EXPECT_FALSE(c.renameUserToolBar(kStd, QStringLiteral("基本")));
    EXPECT_EQ(c.toolBar(59432)->name, QStringLiteral("描画用"));
    EXPECT_EQ(c.toolBar(kStd)->name, QStringLiteral("標準"));

    // Deleting: "標準" stays; a freed id is used again.
    EXPECT_FALSE(c.removeUserToolBar(kStd));
    EXPECT_TRUE(c.removeUserToolBar(59432));
    EXPECT_FALSE(c.removeUserToolBar(59432));
    EXPECT_EQ(c.toolBar(59432), nullptr);
    EXPECT_EQ(c.addUserToolBar(QStringLiteral("三番目")), 59432);

    // Ten user toolbars at most.
    for (int k = 0; k < 8; ++k) {
        EXPECT_TRUE(c.addUserToolBar(QStringLiteral("追加 %1").arg(k)));
    }
    EXPECT_EQ(c.toolBars().size(), 11);
    EXPECT_EQ(c.checkName(QStringLiteral("もう一つ")), Problem::TooMany);
    EXPECT_FALSE(c.addUserToolBar(QStringLiteral("もう一つ")));
    EXPECT_EQ(c.toolBars().last().id, 59441);
}

TEST(CustomisationTest, ShortcutConflictsAreReportedAndDefaultsComeBack) {
    Customisation c = make();
    EXPECT_EQ(c.shortcut(Draw), QStringLiteral("F3"));
    // Ctrl+Z belongs to "一つ前に戻す": refused, nothing changes.
    const auto taken = c.setShortcut(Draw, QStringLiteral("ctrl+z"));
    EXPECT_FALSE(taken.applied);
    ASSERT_TRUE(taken.heldBy);
    EXPECT_EQ(*taken.heldBy, HistoryBack);
    EXPECT_EQ(c.shortcut(Draw), QStringLiteral("F3"));
    EXPECT_EQ(c.holderOf(QStringLiteral("Ctrl+Shift+Z"), Draw), HistoryPreviousPage);
    EXPECT_FALSE(c.holderOf(QStringLiteral("F3"), Draw));

    // Cleared first, the keys can go to another command.
    EXPECT_TRUE(c.setShortcut(HistoryBack, QString()).applied);
    EXPECT_TRUE(c.setShortcut(Draw, QStringLiteral("Ctrl+Z")).applied);
    EXPECT_EQ(c.shortcut(Draw), QStringLiteral("Ctrl+Z"));
    EXPECT_EQ(c.shortcut(HistoryBack), QString());
    // F3 is free now and a command without a shortcut can take it.
    EXPECT_TRUE(c.setShortcut(Reset3D, QStringLiteral("F3")).applied);
    EXPECT_FALSE(c.setShortcut(CommandId{4242}, QStringLiteral("F12")).applied);

    c.resetShortcuts();
    EXPECT_EQ(c.shortcut(Draw), QStringLiteral("F3"));
    EXPECT_EQ(c.shortcut(HistoryBack), QStringLiteral("Ctrl+Z"));
    EXPECT_EQ(c.shortcut(Reset3D), QString());
}

TEST(CustomisationTest, StoredTextGivesTheSameArrangementBack) {
    Customisation c = make();
    const int user = *c.addUserToolBar(QStringLiteral("私の道具"));
    c.insertButton(user, 0, ZoomIn);
    c.insertButton(user, 1, Reset3D);
    c.setButtonImage(user, Reset3D, 2);
    c.removeButton(kStd, 12);
    // Swapped keys must both survive the reading.
    c.setShortcut(Draw, QString());
    c.setShortcut(DrawRandom, QStringLiteral("F3"));
    c.setShortcut(Draw, QStringLiteral("F4"));

    Customisation read = make();
    ASSERT_TRUE(read.restore(c.toText()));
    EXPECT_EQ(read.toText(), c.toText());
    EXPECT_EQ(buttons(read, user), (QList<CommandId>{ZoomIn, Reset3D}));
    EXPECT_EQ(read.toolBar(user)->images.value(Reset3D), 2);
    EXPECT_EQ(buttons(read, kStd).size(), 12);
    EXPECT_EQ(read.shortcut(Draw), QStringLiteral("F4"));
    EXPECT_EQ(read.shortcut(DrawRandom), QStringLiteral("F3"));
    EXPECT_EQ(read.shortcut(ZoomIn), QStringLiteral("F9"));

    // Commands this program does not have are left out, the rest stays.
    ASSERT_TRUE(read.restore(QStringLiteral(
        R"({"version":1,"toolBars":[{"id":59392,"name":"x","buttons":[11901,4242,0,10030]}],)"
        R"("shortcuts":{"4242":"F2","10030":"F12"}})")));
    EXPECT_EQ(buttons(read, kStd), (QList<CommandId>{Enlarge, kSep, Draw}));
    EXPECT_EQ(read.toolBar(kStd)->name, QStringLiteral("標準"));
    EXPECT_EQ(read.shortcut(Draw), QStringLiteral("F12"));
}

TEST(CustomisationTest, DamagedOrOtherVersionTextGivesTheDefaults) {
    const Customisation defaults = make();
    const char* damaged[] = {
        "",
        "not json at all",
        R"({"toolBars":[],"shortcuts":{}})",
        R"({"version":2,"toolBars":[{"id":59392,"name":"s","buttons":[]}],"shortcuts":{}})",
        R"({"version":0,"toolBars":[{"id":59392,"name":"s","buttons":[]}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59432,"name":"u","buttons":[]}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":"11901"}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":["a"]}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[]},)"
        R"({"id":59432,"name":"","buttons":[]}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[]},)"
        R"({"id":59432,"name":"a","buttons":[]},{"id":59433,"name":"a","buttons":[]}],)"
        R"("shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[]},)"
        R"({"id":59442,"name":"a","buttons":[]}],"shortcuts":{}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[]}],"shortcuts":{"10030":3}})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[]}],"shortcuts":[]})",
        R"({"version":1,"toolBars":[{"id":59392,"name":"s","buttons":[11901]}],"shortc)",
    };
    for (const char* text : damaged) {
        Customisation c = make();
        c.addUserToolBar(QStringLiteral("消えるもの"));
        c.setShortcut(Draw, QStringLiteral("F12"));
        EXPECT_FALSE(c.restore(QString::fromUtf8(text))) << text;
        EXPECT_EQ(c.toText(), defaults.toText()) << text;
        EXPECT_EQ(c.toolBars().size(), 1) << text;
        EXPECT_EQ(c.shortcut(Draw), QStringLiteral("F3")) << text;
    }
}
