// The task page's layout: the totals' headings over their columns, the window's place and the
// help menu. Captions in every language are measured with every other window's.
#include "TaskPageFixture.h"

#include "lang/Language.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>

namespace {

class TaskPageLayout : public TaskPageTest {
  protected:
    void settle() const {
        QApplication::processEvents();
        main->centralWidget()->layout()->activate();
    }
    // The horizontal centre of a widget in the window's coordinates.
    int centreOf(const QWidget* w) const { return w->mapTo(main, QPoint(w->width() / 2, 0)).x(); }
    int leftOf(const QWidget* w) const { return w->mapTo(main, QPoint(0, 0)).x(); }
};

} // namespace

TEST_F(TaskPageLayout, TheTotalsHeadingsStayOverTheirColumnsAtEverySize) {
    const std::pair<const char*, const char*> over[] = {
        {"Label5b", "AvlNmb"}, {"Label5c", "UsdNmb"}, {"Label9b", "TotNmb"}, {"Label9c", "LftNmb"}};
    for (QSize size : {QSize(772, 525), QSize(1400, 850), QSize(772, 525)}) {
        main->resize(size);
        settle();
        for (const auto& [heading, figure] : over)
            EXPECT_NEAR(centreOf(part<QLabel>(heading)), centreOf(part<QLineEdit>(figure)), 1)
                << heading << " at " << size.width();
        EXPECT_EQ(leftOf(part<QLabel>("Label5a")), leftOf(part<QLabel>("Label6")));
        EXPECT_EQ(leftOf(part<QLabel>("Label9a")), leftOf(part<QLabel>("Label10")));
    }
    EXPECT_EQ(part<QLabel>("Label5a")->text(), QStringLiteral("Containers:"));
    EXPECT_EQ(part<QLabel>("Label5b")->text(), QStringLiteral("Avail"));
    EXPECT_EQ(part<QLabel>("Label9c")->text(), QStringLiteral("Left"));
    rectix::lang::Language::global().applyLanguage(true, 3);
    EXPECT_EQ(part<QLabel>("Label9b")->text(), QStringLiteral("Totali"));
    EXPECT_EQ(part<QLabel>("Label9c")->text(), QStringLiteral("Rimaste"));
}

TEST_F(TaskPageLayout, TheWindowsOuterFrameIsAtItsPlaceWithTheClientAreaOfTheDesign) {
    EXPECT_EQ(main->frameGeometry().topLeft(), QPoint(10, 12));
    EXPECT_EQ(main->size(), QSize(772, 525));
}

// Reset default and Acknowledgements are in the Language submenu, after a separator.
TEST_F(TaskPageLayout, TheHelpMenuHoldsTheLanguagesWithResetAndAcknowledgements) {
    auto names = [](const QMenu* menu) {
        std::vector<std::string> n;
        for (const QAction* a : menu->actions())
            n.push_back(a->isSeparator() ? "-"
                        : a->menu()      ? a->menu()->objectName().toStdString()
                                         : a->objectName().toStdString());
        return n;
    };
    EXPECT_EQ(names(part<QMenu>("HelpPopup")), (std::vector<std::string>{"HelpPop", "AboutPop", "LangPop"}));
    EXPECT_EQ(names(part<QMenu>("LangPop")),
              (std::vector<std::string>{"EnglishPop", "FrenchPop", "GermanPop", "ItalianPop", "-", "ResetPop",
                                        "AcknowPop"}));
}

// While a command runs, nothing on the page keeps a colour of its own: text, fields and pictures
// are all in the disabled grey.
TEST_F(TaskPageLayout, DuringASolveEverythingOnThePageLooksDisabled) {
    sampleTask();
    settle();
    const QColor own[] = {{0, 255, 255}, {254, 255, 222}, {0, 128, 0}, {0, 0, 255}, {0, 0, 0}};
    auto count = [&](const QImage& image) {
        std::vector<int> n(std::size(own), 0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (std::size_t c = 0; c < std::size(own); ++c) n[c] += QColor(image.pixel(x, y)) == own[c];
        return n;
    };
    const std::vector<int> before = count(main->centralWidget()->grab().toImage());
    for (std::size_t c = 0; c < std::size(own); ++c) EXPECT_GT(before[c], 0) << c;
    std::vector<int> during;
    std::vector<std::string> enabled;
    main->runOperation([&] {
        during = count(main->centralWidget()->grab().toImage());
        for (const QWidget* w : main->centralWidget()->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled()) enabled.push_back(w->objectName().toStdString());
    });
    EXPECT_EQ(during, std::vector<int>(std::size(own), 0));
    EXPECT_TRUE(enabled.empty()) << enabled.front();
}
