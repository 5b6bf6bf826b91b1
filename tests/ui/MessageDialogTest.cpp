#include "ui/MessageDialog.h"
#include "ui/Help.h"
#include "ui/WindowMessageDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace rectix::ui;

namespace {

QStringList captions(const MessageDialog& d) {
    QStringList out;
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) out << b->text();
    return out;
}

// Runs the check on the dialog that the call shows, once its modal loop runs.
template <typename Call> auto whileShown(std::function<void(MessageDialog&)> check, Call call) {
    QTimer::singleShot(0, [check] {
        auto* d = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        check(*d);
    });
    return call();
}

} // namespace

TEST(MessageDialog, ButtonsComeInFixedOrderWithEnglishCaptions) {
    MessageDialog d(QStringLiteral("Confirm"), MessageDialog::Icon::Question, QStringLiteral("?"),
                    DialogButton::YesToAll | DialogButton::All | DialogButton::No | DialogButton::Yes);
    EXPECT_EQ(captions(d), (QStringList{"&Yes", "&No", "&All", "Yes to &All"}));

    MessageDialog ok(QStringLiteral("Warning"), MessageDialog::Icon::Warning, QStringLiteral("!"),
                     DialogButton::Ignore | DialogButton::Ok);
    EXPECT_EQ(captions(ok), (QStringList{"OK", "&Ignore"}));
}

TEST(MessageDialog, OkElseYesIsTheDefaultButton) {
    auto isDefault = [](const MessageDialog& d, DialogButton b) {
        return qobject_cast<QPushButton*>(d.button(b))->isDefault();
    };
    MessageDialog a({}, MessageDialog::Icon::None, {}, DialogButton::Ok | DialogButton::Cancel);
    EXPECT_TRUE(isDefault(a, DialogButton::Ok));
    MessageDialog b({}, MessageDialog::Icon::None, {}, DialogButton::No | DialogButton::Yes);
    EXPECT_TRUE(isDefault(b, DialogButton::Yes));
    EXPECT_FALSE(isDefault(b, DialogButton::No));
}

TEST(MessageDialog, PressingAButtonAnswersIt) {
    MessageDialog d({}, MessageDialog::Icon::None, {}, DialogButton::Ok | DialogButton::Ignore);
    d.show();
    QTest::mouseClick(d.button(DialogButton::Ignore), Qt::LeftButton);
    EXPECT_EQ(d.answer(), DialogButton::Ignore);
    EXPECT_FALSE(d.isVisible());
}

TEST(MessageDialog, ClosingWithoutAButtonNeverAccepts) {
    // An OK-only warning closed with its close box or Esc answers Cancel, not OK.
    MessageDialog closed({}, MessageDialog::Icon::Warning, {}, DialogButton::Ok);
    closed.show();
    closed.close();
    EXPECT_EQ(closed.answer(), DialogButton::Cancel);

    MessageDialog escaped({}, MessageDialog::Icon::Warning, {}, DialogButton::Yes | DialogButton::No);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(escaped.answer(), DialogButton::Cancel);
}

TEST(WindowMessageDialogs, ShowsKindTitleTextLinesAndHelpContext) {
    WindowMessageDialogs dialogs;
    const DialogButton answer = whileShown(
        [](MessageDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Confirm"));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Message"))->text(),
                      QStringLiteral("One\nTwo\nThree"));
            EXPECT_EQ(Help::ownContext(&d), 9);
            d.button(DialogButton::Yes)->click();
        },
        [&] {
            return dialogs.show(DialogKind::Confirmation, "One\rTwo\r\nThree",
                                DialogButton::Yes | DialogButton::No, 9);
        });
    EXPECT_EQ(answer, DialogButton::Yes);
}

TEST(WindowMessageDialogs, ErrorBoxCarriesTheApplicationTitleAndAStopIcon) {
    QCoreApplication::setApplicationName(QStringLiteral("Rectix"));
    WindowMessageDialogs dialogs;
    whileShown(
        [](MessageDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Rectix"));
            EXPECT_NE(d.findChild<QLabel*>(QStringLiteral("Image")), nullptr);
            EXPECT_EQ(captions(d), QStringList{"OK"});
            d.close();
        },
        [&] { dialogs.errorBox("Range check error"); });
    whileShown(
        [](MessageDialog& d) {
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Image")), nullptr);
            d.button(DialogButton::Ok)->click();
        },
        [&] { dialogs.plainMessage("DB is busy or wrong"); });
}
