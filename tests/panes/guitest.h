#pragma once
// Base fixture for widget tests: one QApplication for the duration of a test
// suite (created only when none exists yet), so suites can be run alone.

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace orbelle::test {

class GuiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "orbelle_panes_tests";
            static char* argv[] = {name, nullptr};
            s_app = std::make_unique<QApplication>(argc, argv);
        }
    }
    static void TearDownTestSuite() { s_app.reset(); }

  private:
    static inline std::unique_ptr<QApplication> s_app;
};

} // namespace orbelle::test
