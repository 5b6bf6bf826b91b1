#include "lang/Language.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the program outside ctest's environment; no test needs a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    rectix::ui::Application app(argc, argv);
    // The texts the program starts with: messages of the data layer are read from them.
    rectix::lang::Language::global().applyEnglishTexts(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
