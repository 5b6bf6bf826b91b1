#include "ui/MessageWindow.h"
#include "core/UiTexts.h"
#include "lang/Language.h"
#include "ui/Help.h"
#include "ui/WindowDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace rectix::ui;
using rectix::core::DialogButton;
using rectix::core::DialogKind;

namespace {

QStringList captions(const QDialog& d) {
    QStringList out;
    for (QPushButton* b : d.findChildren<QPushButton*>()) out << (b->isDefault() ? "*" : "") + b->text();
    return out;
}

// Runs the check on the modal dialog that the next call shows.
void onShown(std::function<void(MessageWindow&)> check) {
    QTimer::singleShot(0, [check] {
        auto* d = qobject_cast<MessageWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        check(*d);
        d->close();
    });
}

} // namespace

TEST(MessageWindow, FixedButtonOrderEnglishCaptionsAndOkElseYesAsDefault) {
    MessageWindow all({}, MessageWindow::Icon::Question, {},
                      DialogButton::YesToAll | DialogButton::All | DialogButton::No | DialogButton::Yes);
    EXPECT_EQ(captions(all), (QStringList{"*&Yes", "&No", "&All", "Yes to &All"}));
    MessageWindow ok({}, MessageWindow::Icon::Warning, {}, DialogButton::Ignore | DialogButton::Ok);
    EXPECT_EQ(captions(ok), (QStringList{"*OK", "&Ignore"}));

    ok.show();
    QTest::mouseClick(ok.button(DialogButton::Ignore), Qt::LeftButton);
    EXPECT_EQ(ok.answer(), DialogButton::Ignore);
    EXPECT_FALSE(ok.isVisible());
}

TEST(MessageWindow, ClosingWithoutAButtonNeverAccepts) {
    // An OK-only warning closed with its close box, or a question left with Esc, answers Cancel.
    MessageWindow closed({}, MessageWindow::Icon::Warning, {}, DialogButton::Ok);
    closed.show();
    closed.close();
    EXPECT_EQ(closed.answer(), DialogButton::Cancel);

    MessageWindow escaped({}, MessageWindow::Icon::Question, {}, DialogButton::Yes | DialogButton::No);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(escaped.answer(), DialogButton::Cancel);
}

TEST(WindowDialogs, TitleTextLinesHelpContextAndTheErrorBox) {
    WindowDialogs dialogs;
    onShown([](MessageWindow& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Confirm"));
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Message"))->text(), QStringLiteral("One\nTwo\nThree"));
        EXPECT_EQ(Help::ownContext(&d), 9);
    });
    EXPECT_EQ(
        dialogs.show(DialogKind::Confirmation, "One\rTwo\r\nThree", DialogButton::Yes | DialogButton::No, 9),
        DialogButton::Cancel);

    QCoreApplication::setApplicationName(QStringLiteral("Rectix"));
    onShown([](MessageWindow& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Rectix"));
        EXPECT_NE(d.findChild<QLabel*>(QStringLiteral("Image")), nullptr); // the stop icon
        EXPECT_EQ(captions(d), QStringList{"*OK"});
    });
    dialogs.errorBox("Range check error");
}

// The language routines write no dialog: titles and button captions stay English in every
// language, only the message comes from the language's tables.
TEST(WindowDialogs, TitlesAndButtonsStayEnglishInEveryLanguage) {
    WindowDialogs dialogs;
    std::vector<std::string> messages;
    for (int language : {1, 3, 0}) {
        rectix::lang::Language::global().applyLanguage(false, language);
        const std::string message = rectix::core::messageText(13);
        messages.push_back(message);
        onShown([&](MessageWindow& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Confirm"));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Message"))->text(),
                      QString::fromStdString(message));
            EXPECT_EQ(captions(d), (QStringList{"&Yes", "&No", "*OK", "Cancel", "&Ignore"})) << language;
        });
        dialogs.show(DialogKind::Confirmation, message,
                     DialogButton::Yes | DialogButton::No | DialogButton::Ok | DialogButton::Cancel |
                         DialogButton::Ignore,
                     0);
    }
    EXPECT_NE(messages[0], messages[2]);
    EXPECT_NE(messages[1], messages[2]);
}

namespace {

// The window system's clock for the keys below: each test's typing starts well after the last.
quint64 keyClock = 1000;

// Keys the window system delivers with their time, as typed keys are, `after` milliseconds after
// the key before.
void postTypedKey(QObject* receiver, Qt::Key key, const QString& text = {}, quint64 after = 5000) {
    keyClock += after;
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* e = new QKeyEvent(type, key, Qt::NoModifier, text);
        e->setTimestamp(keyClock);
        QCoreApplication::postEvent(receiver, e);
    }
}

// Calls `type` with the message window up once it takes keys.
void whenItTakesKeys(std::function<void(MessageWindow&)> type) {
    QTimer::singleShot(0, [type] {
        auto* d = qobject_cast<MessageWindow*>(QApplication::activeModalWidget());
        if (!d || !d->takesKeys()) return whenItTakesKeys(type);
        type(*d);
    });
}

// Runs `atShow` as each message window is shown, before it handles its own showing.
class ShowWatch : public QObject {
  public:
    explicit ShowWatch(std::function<void(MessageWindow&)> atShow) : atShow_(std::move(atShow)) {
        qApp->installEventFilter(this);
    }
    ~ShowWatch() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* d = qobject_cast<MessageWindow*>(watched)) atShow_(*d);
        return false;
    }

  private:
    std::function<void(MessageWindow&)> atShow_;
};

} // namespace

// A question that opens while the user types ("180" and Enter in a guarded cell, the question
// coming up at the "1"): the keys already on their way neither answer nor dismiss it.
TEST(MessageWindow, KeysTypedBeforeAQuestionShowedNeitherAnswerNorDismissIt) {
    WindowDialogs dialogs;
    const ShowWatch watch([](MessageWindow& d) {
        QWidget* yes = d.button(DialogButton::Yes);
        postTypedKey(yes, Qt::Key_8, QStringLiteral("8"));
        postTypedKey(yes, Qt::Key_Return);
        postTypedKey(yes, Qt::Key_Escape);
        // The user's answer, once the question is read.
        QMetaObject::invokeMethod(
            &d,
            [&d] {
                if (d.isVisible()) QTest::mouseClick(d.button(DialogButton::No), Qt::LeftButton);
            },
            Qt::QueuedConnection);
    });
    EXPECT_EQ(dialogs.show(DialogKind::Confirmation, "Are you sure to modify box properties (Yes/No)?",
                           DialogButton::Yes | DialogButton::No, 11),
              DialogButton::No);
}

TEST(MessageWindow, AKeyPressedOnceTheQuestionIsUpAnswersIt) {
    WindowDialogs dialogs;
    whenItTakesKeys([](MessageWindow& d) { postTypedKey(d.button(DialogButton::Yes), Qt::Key_Return); });
    EXPECT_EQ(
        dialogs.show(DialogKind::Confirmation, "Delete record?", DialogButton::Yes | DialogButton::No, 0),
        DialogButton::Yes);
}

// Typing that goes on without a pause is not an answer, however late it is delivered; the first
// key after a pause is.
TEST(MessageWindow, TypingGoingOnPastTheReadingTimeDoesNotAnswer) {
    WindowDialogs dialogs;
    QWidget field;
    postTypedKey(&field, Qt::Key_2, QStringLiteral("2"));
    QCoreApplication::processEvents(); // the key that opened the question
    whenItTakesKeys([](MessageWindow& d) {
        for (const Qt::Key key : {Qt::Key_1, Qt::Key_4, Qt::Key_7, Qt::Key_Return})
            postTypedKey(d.button(DialogButton::Yes), key, {}, 60);
        QMetaObject::invokeMethod(
            &d,
            [&d] {
                if (d.isVisible()) postTypedKey(d.button(DialogButton::No), Qt::Key_Return, {}, 1000);
            },
            Qt::QueuedConnection);
    });
    EXPECT_EQ(dialogs.show(DialogKind::Confirmation, "Are you sure to modify box properties (Yes/No)?",
                           DialogButton::Yes | DialogButton::No, 11),
              DialogButton::No);
}

// A message wider than the screen wraps, a run without spaces too, and the window stays on the
// screen with every line of the text shown.
TEST(MessageWindow, ALongMessageWrapsWithinTheScreen) {
    const QString words = QStringLiteral("Tâche \"Sample\" : la boîte enregistrée 20 ").repeated(40);
    const QString run = QStringLiteral("0123456789abcdef").repeated(80);
    for (const QString& text : {words, words + run + QStringLiteral(" end")}) {
        MessageWindow d({}, MessageWindow::Icon::Stop, text, DialogButton::Ok);
        d.show();
        const auto* label = d.findChild<QLabel*>(QStringLiteral("Message"));
        EXPECT_EQ(QString(label->text()).remove(QChar(0x200B)), text);
        EXPECT_LE(d.frameGeometry().width(), d.screen()->availableGeometry().width());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        // Every line, wrapped at word boundaries as the label wraps, fits its width: nothing is cut.
        QTextDocument laid;
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        laid.setDefaultTextOption(wrap);
        laid.setDocumentMargin(0);
        laid.setDefaultFont(label->font());
        laid.setPlainText(label->text());
        laid.setTextWidth(label->width());
        EXPECT_LE(laid.idealWidth(), label->width());
    }
}
