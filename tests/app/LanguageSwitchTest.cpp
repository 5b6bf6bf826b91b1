// The language the user chose, from the settings file to every window, shown or not yet shown.
#include "StartupFixture.h"

#include "app/MainWindow.h"
#include "core/UiTexts.h"
#include "lang/English.h"
#include "lang/Italian.h"
#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include <set>
#include <string>
#include <vector>

namespace {

using rectix::lang::Property;

// Texts that follow the state of the moment from the text tables: the run button, the layout
// page's navigation and chart buttons, the libraries' mode buttons.
bool stateDependent(const rectix::lang::WindowText& t) {
    static const std::set<std::string> following = {
        "TTasksForm.RunButton",    "TDistrForm.PrevButton", "TDistrForm.NextButton",
        "TDistrForm.SingleButton", "TDistrForm.DiagButton", "TCntForm.EditButton",
        "TBoxForm.EditButton",     "TCntForm.ClearButton",  "TBoxForm.ClearButton"};
    return following.count(std::string(t.window) + "." + t.component) > 0;
}

QString shownText(QObject* target, QWidget* window, Property property) {
    if (property == Property::Hint) {
        if (auto* w = qobject_cast<QWidget*>(target)) return w->toolTip();
        if (auto* a = qobject_cast<QAction*>(target)) return a->toolTip();
        return {};
    }
    if (target == window || property == Property::Title) return qobject_cast<QWidget*>(target)->windowTitle();
    if (auto* b = qobject_cast<QAbstractButton*>(target)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(target)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(target)) return g->title();
    if (auto* m = qobject_cast<QMenu*>(target)) return m->title();
    if (auto* a = qobject_cast<QAction*>(target)) return a->text();
    if (auto* page = qobject_cast<QWidget*>(target))
        for (QWidget* p = page->parentWidget(); p; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) return tabs->tabText(tabs->indexOf(page));
    return {};
}

// The set's plain texts and column titles of the named window that the window does not show.
std::vector<std::string> notShown(const rectix::lang::TextSet& set, const char* windowName) {
    std::vector<std::string> differ;
    QWidget* window = rectix::ui::WindowTexts::global().window(QString::fromLatin1(windowName));
    if (!window) return {std::string(windowName) + " is not registered"};
    auto find = [&](const char* component) -> QObject* {
        if (*component == '\0') return window;
        return window->findChild<QObject*>(QString::fromLatin1(component));
    };
    for (const rectix::lang::WindowText& t : set.windowTexts) {
        if (std::string(t.window) != windowName || t.compose != rectix::lang::Compose::Plain ||
            stateDependent(t))
            continue;
        QObject* target = find(t.component);
        const QString shown = target ? shownText(target, window, t.property) : QString();
        if (shown != QString::fromUtf8(t.text))
            differ.push_back(std::string(windowName) + "." + t.component + ": \"" + shown.toStdString() +
                             "\"");
    }
    for (const rectix::lang::ColumnTitle& c : set.columnTitles) {
        if (std::string(c.window) != windowName) continue;
        auto* grid = qobject_cast<QAbstractItemView*>(find(c.grid));
        const QString shown =
            grid ? grid->model()->headerData(c.column, Qt::Horizontal).toString() : QString();
        if (shown != QString::fromUtf8(c.text))
            differ.push_back(std::string(windowName) + "." + c.grid + "[" + std::to_string(c.column) +
                             "]: \"" + shown.toStdString() + "\"");
    }
    return differ;
}

constexpr const char* windowNames[] = {"TTasksForm", "TDistrForm", "TSolutForm", "TCntForm",  "TBoxForm",
                                       "TOptForm",   "TAboutForm", "TWaitForm",  "TTuneForm", "TNameForm"};

class LanguageSwitch : public StartupTest {
  protected:
    // The settings file as the last run left it, with its language.
    void saveLanguage(std::int32_t index) {
        rectix::taskdb::RunStore store;
        rectix::taskdb::setDefaultOptions(store, true);
        rectix::taskdb::SavedViewSettings view;
        rectix::lang::Language::global().setLangIndex(index);
        rectix::taskdb::SettingsFile(store, view, folder.path).saveIni();
        rectix::lang::Language::global().setLangIndex(0);
    }
    // Shows each window the first time, as its command would, and collects what it lacks.
    static std::vector<std::string> openEveryWindow(const rectix::lang::TextSet& set) {
        std::vector<std::string> differ;
        for (const char* name : windowNames) {
            QWidget* w = rectix::ui::WindowTexts::global().window(QString::fromLatin1(name));
            if (w && !w->isVisible()) {
                w->show();
                QApplication::processEvents();
            }
            for (std::string& d : notShown(set, name)) differ.push_back(std::move(d));
            if (w && w != rectix::ui::WindowTexts::global().window(QStringLiteral("TTasksForm"))) w->hide();
        }
        return differ;
    }
    std::string savedLine() const {
        const std::string ini = folder.read("rectix.ini");
        const auto at = ini.find("Language\r\n");
        const auto lineStart = ini.rfind("\r\n", at);
        return ini.substr(lineStart + 2, at - lineStart - 2);
    }
};

} // namespace

TEST_F(LanguageSwitch, TheSavedLanguageIsTheFirstLanguageOfEveryWindowAndIsSavedAgain) {
    makeSets({"home", "export", "import"});
    saveLanguage(3);
    ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
    EXPECT_EQ(rectix::lang::Language::global().langIndex(), 3);
    EXPECT_TRUE(start.mainWindow()->findChild<QAction*>(QStringLiteral("ItalianPop"))->isChecked());
    for (const std::string& d : openEveryWindow(rectix::lang::italianTexts())) ADD_FAILURE() << d;
    EXPECT_TRUE(start.mainWindow()->close());
    EXPECT_EQ(savedLine(), "3  ");
}

// German exists only in the settings file: it shows English and is written back as it was.
TEST_F(LanguageSwitch, ASavedTwoShowsEnglishAndStaysTwo) {
    makeSets({"home", "export", "import"});
    saveLanguage(2);
    ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
    EXPECT_EQ(rectix::lang::Language::global().langIndex(), 2);
    for (const std::string& d : openEveryWindow(rectix::lang::englishTexts())) ADD_FAILURE() << d;
    EXPECT_TRUE(start.mainWindow()->close());
    EXPECT_EQ(savedLine(), "2  ");
}

TEST_F(LanguageSwitch, AWindowOpenedFirstAfterASwitchShowsTheNewLanguage) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
    start.mainWindow()->findChild<QAction*>(QStringLiteral("ItalianPop"))->trigger();
    for (const std::string& d : openEveryWindow(rectix::lang::italianTexts())) ADD_FAILURE() << d;
    start.mainWindow()->findChild<QAction*>(QStringLiteral("ResetPop"))->trigger();
    for (const std::string& d : openEveryWindow(rectix::lang::englishTexts())) ADD_FAILURE() << d;
    EXPECT_TRUE(start.mainWindow()->close());
    EXPECT_EQ(savedLine(), "0  ");
}

// The indicator on the task page and the settings window's empty-set button name the active set
// in the new language, also while the settings window is open on its exchange page.
TEST_F(LanguageSwitch, ASwitchWhileTheExportSetIsActiveRenamesTheIndicatorAndTheEmptySetButton) {
    makeSets({"home", "export", "import"});
    ASSERT_EQ(start.run(), rectix::app::StartupOutcome::Running);
    auto* settings = rectix::ui::WindowTexts::global().window(QStringLiteral("TOptForm"));
    settings->show();
    settings->findChild<QTabWidget*>()->setCurrentIndex(1);
    start.store().activeDB = 1;
    auto* clear = settings->findChild<QAbstractButton*>(QStringLiteral("ClearButton"));
    auto* exch = start.mainWindow()->findChild<QLabel*>(QStringLiteral("ExchLabel"));
    for (const char* item : {"FrenchPop", "ItalianPop", "EnglishPop"}) {
        start.mainWindow()->findChild<QAction*>(QString::fromLatin1(item))->trigger();
        EXPECT_EQ(clear->text(), QString::fromStdString(rectix::core::captionText(32))) << item;
        EXPECT_EQ(exch->text(), QString::fromStdString(rectix::core::captionText(35))) << item;
        EXPECT_FALSE(exch->isHidden());
        if (std::string(item) == "FrenchPop") {
            EXPECT_EQ(clear->text(), QStringLiteral("&Vider la BD à Exporter"));
        }
    }
    EXPECT_EQ(clear->text(), QStringLiteral("&Empty Export DB"));
    start.store().activeDB = 0;
    settings->hide();
    EXPECT_TRUE(start.mainWindow()->close());
}
