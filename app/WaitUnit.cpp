#include "app/WaitUnit.h"

#include "ui/WindowTexts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace rectix::app {

namespace {

constexpr const char* kDesign = "designGeometry";

QLabel* label(QWidget* parent, const char* name, QRect place, Qt::Alignment align) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setProperty(kDesign, place);
    l->setAlignment(align | Qt::AlignVCenter);
    QPalette blue = l->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(blue);
    return l;
}

// A label grows to show its whole text, never below its design size and never past the window:
// a left-aligned one to the right, a right-aligned one to the left.
void fit(QLabel* l) {
    const QRect design = l->property(kDesign).toRect();
    const bool right = l->alignment().testFlag(Qt::AlignRight);
    const int room = right ? design.right() + 1 : l->parentWidget()->width() - design.x();
    const int width = std::min(std::max(design.width(), l->sizeHint().width()), room);
    const int left = right ? design.right() + 1 - width : design.x();
    l->setGeometry(left, design.y(), width, design.height());
}

QProgressBar* bar(QWidget* parent, const char* name, QRect place) {
    auto* b = new QProgressBar(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setRange(0, 100);
    b->setValue(0);
    b->setTextVisible(false);
    return b;
}

} // namespace

TWaitForm::TWaitForm()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      waitLab_(label(this, "WaitLab", {176, 8, 101, 16}, Qt::AlignRight)),
      progBar_(bar(this, "ProgBar", {16, 32, 263, 20})),
      progLab_(label(this, "ProgLab", {16, 8, 161, 16}, Qt::AlignLeft)),
      progBarYnD_(bar(this, "ProgBarYnD", {16, 60, 163, 12})),
      timeLab_(label(this, "TimeLab", {188, 58, 90, 16}, Qt::AlignRight)) {
    setObjectName(QStringLiteral("WaitForm"));
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(292, 84);
    setCursor(Qt::WaitCursor);
    // Shown only for operations, during which it must be the only window that takes input.
    setWindowModality(Qt::ApplicationModal);
    waitLab_->setText(QStringLiteral("   Please wait"));
    progBarYnD_->hide();
    ui::WindowTexts::global().registerWindow(QStringLiteral("TWaitForm"), this);
}

void TWaitForm::placeOver(const QWidget* widget) {
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    move(origin.x() + widget->width() / 2 - width() / 2,
         origin.y() + widget->height() * 3 / 4 - height() / 2);
}

void TWaitForm::beginOperation() {
    // The language texts are written straight into the labels.
    for (QLabel* l : {waitLab_, progLab_, timeLab_}) fit(l);
    show();
    raise();
    activateWindow();
    repaint();
}

void TWaitForm::endOperation() {
    hide();
    SetProgBar(0);
}

void TWaitForm::SetProgLab(const std::string& text) {
    progLab_->setText(QString::fromStdString(text));
    fit(progLab_);
}

void TWaitForm::SetWaitLab(const std::string& text) {
    waitLab_->setText(QString::fromStdString(text));
    fit(waitLab_);
}

void TWaitForm::SetTimeLab(const std::string& text) {
    timeLab_->setText(QString::fromStdString(text));
    fit(timeLab_);
}

// A bar takes no value outside its range, so the position is clamped to it.
void TWaitForm::SetProgBar(int percent) {
    progBar_->setValue(std::clamp(percent, 0, 100));
}

void TWaitForm::SetProgBarYnD(int percent) {
    progBarYnD_->setValue(std::clamp(percent, 0, 100));
}

void TWaitForm::ShowProgBarYnD(bool visible) {
    progBarYnD_->setVisible(visible);
}

void TWaitForm::ShowTimeLab(bool visible) {
    timeLab_->setVisible(visible);
}

void TWaitForm::Repaint() {
    if (isVisible()) repaint();
}

void TWaitForm::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TWaitForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) escPressed_ = true;
    event->accept();
}

// The user cannot close it (close box, Alt+F4); the program can, as when the application quits.
void TWaitForm::closeEvent(QCloseEvent* event) {
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace rectix::app
