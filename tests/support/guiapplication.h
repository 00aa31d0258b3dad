#pragma once
// The one QApplication of a GUI test program. Including this header registers
// a GoogleTest environment that creates the application before the first test
// and destroys it after the last, while main() is still running: an
// application that outlived main() would be destroyed after Qt's own globals
// and crash at exit. Every file of a program may include it; the environment
// is registered once.

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace orbelle::test {

class GuiApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "orbelle_gui_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

  private:
    std::unique_ptr<QApplication> m_app;
};

/// Registered during static initialisation, before main() runs the tests; an
/// inline variable is initialised once per program.
inline ::testing::Environment* const kGuiApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

} // namespace orbelle::test
