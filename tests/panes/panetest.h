#pragma once
// Fixture of the setting pane tests: a fresh pane per test, its announced
// edits and released sliders counted, and its controls found by the names
// the layout gives them ("edit10300"). The colour pane takes its pictures
// from `folder`, which holds none unless a test puts them there first.

#include "panes/settingspane.h"
#include "support/guiapplication.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace orbelle::test {

/// The child of `parent` named `kind` followed by `id`; a missing one fails
/// the test.
template <typename T = QWidget> T* namedChild(const QObject& parent, const char* kind, int id) {
    T* found = parent.findChild<T*>(QLatin1String(kind) + QString::number(id));
    EXPECT_NE(found, nullptr) << kind << id;
    return found;
}

template <typename Pane> class PaneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        if constexpr (std::is_constructible_v<Pane, QString>) {
            pane = std::make_unique<Pane>(folder.path());
        } else {
            pane = std::make_unique<Pane>();
        }
        QObject::connect(pane.get(), &SettingsPane::settingsEdited, [this] { ++edits; });
        QObject::connect(pane.get(), &SettingsPane::sliderReleased, [this] { ++releases; });
    }

    /// The record the pane gives, its other fields taken from `start`.
    DrawSettings capturedRecord(DrawSettings start = {}) const {
        pane->capture(start);
        return start;
    }

    template <typename T = QWidget> T* child(const char* kind, int id) const {
        return namedChild<T>(*pane, kind, id);
    }

    QTemporaryDir folder;
    std::unique_ptr<Pane> pane;
    int edits = 0;
    int releases = 0;
};

} // namespace orbelle::test
