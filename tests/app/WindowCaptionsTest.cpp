// Every window of the program in each of the three languages: no caption cut, no buttons over
// each other.
#include "CaptionFit.h"
#include "TaskPageFixture.h"

#include "app/ProgressWindow.h"
#include "lang/Language.h"
#include "ui/WindowTexts.h"

#include <QLayout>
#include <QTabWidget>

namespace {

// The windows by the names the text sets address them with.
constexpr const char* windowNames[] = {"TTasksForm", "TDistrForm", "TSolutForm", "TCntForm",  "TBoxForm",
                                       "TOptForm",   "TAboutForm", "TWaitForm",  "TTuneForm", "TNameForm"};

class WindowCaptions : public TaskPageTest {
  protected:
    static QWidget* window(const char* name) {
        return rectix::ui::WindowTexts::global().window(QString::fromLatin1(name));
    }

    // Every window shown in each language, its captions measured; windows not shown before are
    // hidden again.
    static void measureEveryWindow(const char* state) {
        for (int language : {0, 1, 3}) {
            rectix::lang::Language::global().applyLanguage(true, language);
            for (const char* name : windowNames) {
                QWidget* w = window(name);
                ASSERT_NE(w, nullptr) << name;
                const bool wasShown = w->isVisible();
                auto* wait = qobject_cast<rectix::app::ProgressWindow*>(w);
                if (wait) {
                    // Every line of the window, as a run shows them.
                    wait->beginOperation();
                    wait->setPhase(rectix::engine::RunPhase::Packing);
                    wait->showContainerPercent(true);
                    wait->showElapsed(true);
                    wait->setElapsedMs(1234);
                }
                w->show();
                QApplication::processEvents();
                if (w->layout()) w->layout()->activate();
                for (const std::string& cut : captionfit::cutCaptions(w))
                    ADD_FAILURE() << cut << " in language " << language << ", " << state;
                for (const std::string& overlap : captionfit::overlappingControls(w))
                    ADD_FAILURE() << overlap << " in language " << language << ", " << state;
                if (wait) wait->endOperation();
                if (!wasShown) w->hide();
            }
        }
    }
};

} // namespace

// Each window is measured as the user first sees it, then with the captions that follow the state:
// a solved task, the libraries in edit mode, the layout page's chart, and each exchange set active.
TEST_F(WindowCaptions, EveryCaptionAndColumnTitleFitsInEachLanguageAndState) {
    sampleTask();
    measureEveryWindow("a new task");
    click("RunButton");
    ASSERT_TRUE(solved());
    for (const char* library : {"TCntForm", "TBoxForm"}) {
        window(library)->show();
        QTest::mouseClick(window(library)->findChild<QPushButton*>(QStringLiteral("EditButton")),
                          Qt::LeftButton);
    }
    window("TDistrForm")->show();
    QApplication::processEvents();
    QTest::mouseClick(window("TDistrForm")->findChild<QPushButton*>(QStringLiteral("DiagButton")),
                      Qt::LeftButton);
    window("TOptForm")->findChild<QTabWidget*>()->setCurrentIndex(1);
    for (int set : {1, 2}) {
        store().activeDB = static_cast<std::int16_t>(set);
        measureEveryWindow(set == 1 ? "a solved task with the export set"
                                    : "a solved task with the import set");
    }
    store().activeDB = 0;
}

// The task list shows a task on one line: the whole date, and the description over the rest.
TEST_F(WindowCaptions, TheTaskListShowsTheWholeDateAndStretchesTheDescription) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    QWidget* list = window("TNameForm");
    list->show();
    QApplication::processEvents();
    auto* grid = list->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    ASSERT_NE(grid, nullptr);
    const QString date = grid->model()->index(0, 1).data().toString();
    ASSERT_FALSE(date.isEmpty());
    EXPECT_FALSE(grid->wordWrap());
    EXPECT_GE(grid->columnWidth(1), grid->fontMetrics().horizontalAdvance(date) + 6) << date.toStdString();
    const QHeaderView* header = grid->horizontalHeader();
    EXPECT_EQ(header->sectionViewportPosition(3) + header->sectionSize(3), grid->viewport()->width());
    list->hide();
}

// A window made as small as it allows still shows every caption whole, in each language.
TEST_F(WindowCaptions, EveryCaptionFitsAtEachWindowsMinimumSize) {
    sampleTask();
    click("RunButton");
    ASSERT_TRUE(solved());
    for (int language : {0, 1, 3}) {
        rectix::lang::Language::global().applyLanguage(true, language);
        for (const char* name : windowNames) {
            QWidget* w = window(name);
            ASSERT_NE(w, nullptr) << name;
            if (w->minimumSize() == w->maximumSize()) continue; // measured at its one size above
            const bool wasShown = w->isVisible();
            const QSize before = w->size();
            w->show();
            QApplication::processEvents();
            w->resize(w->minimumSize());
            QApplication::processEvents();
            if (w->layout()) w->layout()->activate();
            for (const std::string& cut : captionfit::cutCaptions(w))
                ADD_FAILURE() << cut << " in language " << language << " at " << w->width() << " x "
                              << w->height();
            for (const std::string& overlap : captionfit::overlappingControls(w))
                ADD_FAILURE() << overlap << " in language " << language << " at " << w->width() << " x "
                              << w->height();
            w->resize(before);
            if (!wasShown) w->hide();
        }
    }
}

// The settings window is placed on its first showing by the size its texts give it: a language
// that widens the window, chosen before then, still leaves it whole on the screen.
TEST_F(WindowCaptions, TheSettingsWindowIsPlacedByTheSizeOfItsTexts) {
    rectix::lang::Language::global().applyLanguage(true, 1);
    QWidget* settings = window("TOptForm");
    click("OptButton");
    ASSERT_TRUE(settings->isVisible());
    QApplication::processEvents();
    const QRect screen = settings->screen()->geometry();
    EXPECT_LE(settings->frameGeometry().right(), screen.right());
    EXPECT_LE(settings->frameGeometry().bottom(), screen.bottom());
    settings->close();
}
