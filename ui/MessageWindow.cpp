#include "ui/MessageWindow.h"

#include "ui/FixedDialog.h"
#include "ui/KeyTimes.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace rectix::ui {

using core::DialogButton;
using core::DialogButtons;

namespace {

constexpr std::array<std::pair<DialogButton, const char*>, 8> kButtons{{
    {DialogButton::Yes, "&Yes"},
    {DialogButton::No, "&No"},
    {DialogButton::Ok, "OK"},
    {DialogButton::Cancel, "Cancel"},
    {DialogButton::Ignore, "&Ignore"},
    {DialogButton::All, "&All"},
    {DialogButton::NoToAll, "N&o to All"},
    {DialogButton::YesToAll, "Yes to &All"},
}};

// The least time in which a person sees a new window and presses a key for it (milliseconds).
constexpr qint64 readingTime = 300;

const char* buttonName(DialogButton b) {
    switch (b) {
    case DialogButton::Ok:
        return "OK";
    case DialogButton::Cancel:
        return "Cancel";
    case DialogButton::Yes:
        return "Yes";
    case DialogButton::No:
        return "No";
    case DialogButton::All:
        return "All";
    case DialogButton::YesToAll:
        return "YesToAll";
    case DialogButton::NoToAll:
        return "NoToAll";
    case DialogButton::Ignore:
        return "Ignore";
    }
    return "";
}

QStyle::StandardPixmap pixmapOf(MessageWindow::Icon icon) {
    switch (icon) {
    case MessageWindow::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageWindow::Icon::Stop:
        return QStyle::SP_MessageBoxCritical;
    case MessageWindow::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageWindow::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case MessageWindow::Icon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

// The window's frame, which the window system adds around it (pixels, both sides together).
constexpr int frameAllowance = 24;

// Gives a run wider than `width` places to break (zero-width spaces), so it wraps whole.
QString breakableRuns(const QString& text, const QFontMetrics& metrics, int width) {
    QString out;
    qsizetype runStart = 0;
    for (const QChar c : text) {
        if (c.isSpace()) {
            out += c;
            runStart = out.size();
            continue;
        }
        if (metrics.horizontalAdvance(out.sliced(runStart) + c) > width) {
            out += QChar(0x200B);
            runStart = out.size();
        }
        out += c;
    }
    return out;
}

} // namespace

MessageWindow::MessageWindow(const QString& title, Icon icon, const QString& text, DialogButtons buttons,
                             QWidget* parent)
    : QDialog(parent, fixedDialogFlags) {
    setWindowTitle(title);
    if (buttons.empty()) buttons = DialogButton::Ok;

    constexpr int spacing = 16;
    const QMargins margins(16, 16, 16, 12);
    auto* message = new QHBoxLayout;
    message->setSpacing(spacing);
    // The text may be as wide as the screen leaves it beside the icon, within the window.
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    int widest = (shownOn ? shownOn->availableGeometry().width() : 1024) - frameAllowance - margins.left() -
                 margins.right();
    if (icon != Icon::None) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Image"));
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        widest -= extent + spacing;
        picture->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(extent, extent));
        picture->setAlignment(Qt::AlignTop);
        message->addWidget(picture);
    }
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Message"));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    widest = std::max(widest, 1);
    if (label->sizeHint().width() > widest) {
        // A line wider than that wraps, and the window stays on the screen.
        label->setWordWrap(true);
        label->setText(breakableRuns(text, label->fontMetrics(), widest - 8));
        label->setFixedWidth(widest);
    }
    message->addWidget(label, 1);

    auto* row = new QHBoxLayout;
    row->addStretch();
    const DialogButton preferred = buttons.has(DialogButton::Ok) ? DialogButton::Ok : DialogButton::Yes;
    bool defaultSet = false;
    for (const auto& [kind, caption] : kButtons) {
        if (!buttons.has(kind)) continue;
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(buttonName(kind)));
        if (kind == preferred || (!defaultSet && !buttons.has(preferred))) {
            b->setDefault(true);
            b->setFocus();
            defaultSet = true;
        }
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, kind = kind] {
            answer_ = kind;
            accept();
        });
        row->addWidget(b);
    }
    row->addStretch();

    installEventFilter(this);
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(margins);
    column->setSpacing(spacing);
    column->addLayout(message);
    column->addLayout(row);
}

void MessageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    synced_ = false;
    answering_ = false;
    shown_.start();
    QMetaObject::invokeMethod(this, &MessageWindow::takeKeys, Qt::QueuedConnection);
}

// What the window system holds was typed before the window was up: the round trip fetches it and
// delivers it (dropped) before keys count again.
void MessageWindow::takeKeys() {
    QGuiApplication::sync();
    synced_ = true;
}

bool MessageWindow::takesKeys() const {
    return synced_ && (!shown_.isValid() || shown_.hasExpired(readingTime));
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (answering_ ||
        (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride))
        return QDialog::eventFilter(watched, event);
    // A key with no time was sent by the program, not typed ahead.
    const quint64 time = static_cast<QKeyEvent*>(event)->timestamp();
    if (time == 0) return QDialog::eventFilter(watched, event);
    // However late it is delivered, a key typed within the reading time of the key before it
    // belongs to the typing that opened the message.
    const quint64 previous = KeyTimes::before(time);
    const bool paused = previous == 0 || time - previous >= static_cast<quint64>(readingTime);
    if (type != QEvent::KeyRelease && takesKeys() && paused) {
        answering_ = true;
        return QDialog::eventFilter(watched, event);
    }
    event->accept();
    return true;
}

QAbstractButton* MessageWindow::button(DialogButton b) const {
    return findChild<QAbstractButton*>(QString::fromLatin1(buttonName(b)));
}

} // namespace rectix::ui
