#include "StartupFixture.h"

#include "app/MainWindow.h"
#include "lang/English.h"
#include "lang/French.h"
#include "lang/Italian.h"
#include "ui/WindowTexts.h"

// A misspelt component name in a text set would be passed over without a word when the language
// is written; every target of every set must name a widget of its window.
TEST_F(StartupTest, EveryTextTargetOfTheThreeSetsNamesAWidgetOfItsWindow) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
    for (const rectix::lang::TextSet* set :
         {&rectix::lang::englishTexts(), &rectix::lang::frenchTexts(), &rectix::lang::italianTexts()}) {
        const QStringList missing = rectix::ui::WindowTexts::global().missingTargets(*set);
        EXPECT_EQ(missing.join(QStringLiteral(", ")).toStdString(), "") << "language " << set->langIndex;
    }
    start.mainWindow()->close();
}
