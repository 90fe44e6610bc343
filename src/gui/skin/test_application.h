#pragma once
// One QApplication for all widget tests of a test program (offscreen platform).

#include <QApplication>
#include <gtest/gtest.h>

namespace kw::gui::testing {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "keyweave-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down among the program's static destructors crashes.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Fixture base: the application exists before any widget member of a test.
class WidgetTest : public ::testing::Test {
protected:
    WidgetTest() { application(); }
};

} // namespace kw::gui::testing
