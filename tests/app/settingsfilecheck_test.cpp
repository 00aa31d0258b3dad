// The settings file is looked at before QSettings reads it: what it is
// decides whether it is used, used without saving, or left alone.

#include "app/settingsfilecheck.h"

#include "app/apptest.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace orbelle;
using Outcome = SettingsFileCheck::Outcome;

namespace {

class SettingsFileCheckTest : public ::testing::Test {
  protected:
    QString file(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QByteArray encoded(const char* name) const { return QFile::encodeName(file(name)); }
    void write(const char* name, const QByteArray& content) const {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsFileCheckTest, WhatTheFileIsDecidesHowItIsUsed) {
    write("good.conf", "[Workspace]\nApplicationLook=216\n");
    ASSERT_EQ(::mkfifo(encoded("pipe.conf").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(file("folder.conf")));
    ASSERT_EQ(::symlink(encoded("good.conf").constData(), encoded("link.conf").constData()), 0);
    write("large.conf", "");
    ASSERT_TRUE(QFile::resize(file("large.conf"), (4 << 20) + 1));

    const struct {
        const char* name;
        Outcome outcome;
        const char* reason;
    } cases[] = {
        {"missing.conf", Outcome::Usable, ""},
        {"good.conf", Outcome::Usable, ""},
        {"pipe.conf", Outcome::Unusable, "通常のファイルではありません"},
        {"folder.conf", Outcome::Unusable, "フォルダです"},
        {"link.conf", Outcome::Unusable, "リンクです"},
        {"large.conf", Outcome::Unusable, "ファイルが大きすぎます (上限 4 MiB)"},
    };
    for (const auto& c : cases) {
        const SettingsFileCheck check = checkSettingsFile(file(c.name));
        EXPECT_EQ(check.outcome, c.outcome) << c.name;
        EXPECT_EQ(check.reason.toStdString(), c.reason) << c.name;
        EXPECT_EQ(check.path, file(c.name)) << c.name;
    }
    EXPECT_EQ(checkSettingsFile(file("good.conf")).content,
              QByteArray("[Workspace]\nApplicationLook=216\n"));
    EXPECT_EQ(settingsFileMessage(checkSettingsFile(file("pipe.conf"))),
              QStringLiteral("設定ファイル %1 を使えません (通常のファイルではありません)。"
                             "既定の設定で動き、このファイルには触れません。")
                  .arg(file("pipe.conf")));
    EXPECT_TRUE(settingsFileMessage(checkSettingsFile(file("good.conf"))).isEmpty());
}

TEST_F(SettingsFileCheckTest, FilesAndFoldersWithoutPermissionAreNotWritten) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    write("closed.conf", "x");
    ASSERT_EQ(::chmod(encoded("closed.conf").constData(), 0), 0);
    write("readonly.conf", "[Workspace]\n");
    ASSERT_EQ(::chmod(encoded("readonly.conf").constData(), 0444), 0);
    ASSERT_TRUE(QDir().mkpath(file("shut")));
    write("shut/Orbelle.conf", "[Workspace]\n");
    ASSERT_EQ(::chmod(encoded("shut").constData(), 0555), 0);

    const SettingsFileCheck closed = checkSettingsFile(file("closed.conf"));
    EXPECT_EQ(closed.outcome, Outcome::Unusable);
    EXPECT_EQ(closed.reason, QStringLiteral("アクセス権がありません"));
    const SettingsFileCheck readOnly = checkSettingsFile(file("readonly.conf"));
    EXPECT_EQ(readOnly.outcome, Outcome::ReadOnly);
    EXPECT_EQ(readOnly.content, QByteArray("[Workspace]\n"));
    const SettingsFileCheck shut = checkSettingsFile(file("shut/Orbelle.conf"));
    EXPECT_EQ(shut.outcome, Outcome::ReadOnly);
    EXPECT_EQ(shut.reason, QStringLiteral("フォルダに書き込めません: アクセス権がありません"));
    ::chmod(encoded("shut").constData(), 0755);
}

TEST_F(SettingsFileCheckTest, AStandInServesTheRunAndTheFileIsLeftAlone) {
    SettingsFileCheck readOnly;
    readOnly.outcome = Outcome::ReadOnly;
    readOnly.path = file("Orbelle.conf");
    readOnly.content = "[Workspace]\nApplicationLook=216\n";
    EXPECT_EQ(useStandInSettings(SettingsFileCheck{}), nullptr);
    {
        const std::unique_ptr<QTemporaryDir> standIn = useStandInSettings(readOnly);
        ASSERT_NE(standIn, nullptr);
        {
            QSettings settings;
            EXPECT_TRUE(settings.fileName().startsWith(standIn->path()));
            // The values of a read-only file are read; changes go to the stand-in.
            EXPECT_EQ(settings.value(QStringLiteral("Workspace/ApplicationLook")).toInt(), 216);
            settings.setValue(QStringLiteral("Workspace/ApplicationLook"), 205);
        }
        SettingsFileCheck unusable = readOnly;
        unusable.outcome = Outcome::Unusable;
        const std::unique_ptr<QTemporaryDir> empty = useStandInSettings(unusable);
        ASSERT_NE(empty, nullptr);
        EXPECT_FALSE(QSettings().contains(QStringLiteral("Workspace/ApplicationLook")));
    }
    EXPECT_FALSE(QFile::exists(file("Orbelle.conf")));
    // The other tests keep the test's own settings folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
