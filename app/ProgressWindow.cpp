#include "app/ProgressWindow.h"

#include "core/NumberFormat.h"
#include "core/UiTexts.h"
#include "ui/WindowTexts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QRegion>

#include <algorithm>
#include <chrono>

namespace rectix::app {

namespace {

// Design places of the labels; the top line holds the step text (left) and the busy text (right).
constexpr QRect kWaitLab{176, 8, 101, 16};
constexpr QRect kProgLab{16, 8, 161, 16};
constexpr QRect kTimeLab{188, 58, 90, 16};
constexpr int kGap = 6;
constexpr QSize kClient{292, 84};
constexpr int kBorder = 1;
constexpr int barFrameMs = 20;

// The width a label's text needs; 0 when it shows nothing.
int need(const QLabel* l) {
    return l->isHidden() || l->text().isEmpty() ? 0 : l->sizeHint().width();
}

QLabel* label(QWidget* parent, const char* name, QRect place, Qt::Alignment align) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setAlignment(align | Qt::AlignVCenter);
    QPalette blue = l->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(blue);
    return l;
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

// Window managers draw their buttons on a frame whatever the window asks, so the window draws
// its own frame: a title bar without buttons over the client area.
ProgressWindow::ProgressWindow()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint), title_(new QLabel(this)),
      client_(new QWidget(this)), waitLab_(label(client_, "WaitLab", kWaitLab, Qt::AlignRight)),
      progBar_(bar(client_, "ProgBar", {16, 32, 263, 20})),
      progLab_(label(client_, "ProgLab", kProgLab, Qt::AlignLeft)),
      progBarYnD_(bar(client_, "ProgBarYnD", {16, 60, 163, 12})),
      timeLab_(label(client_, "TimeLab", kTimeLab, Qt::AlignRight)) {
    setObjectName(QStringLiteral("WaitForm"));
    const int titleHeight = fontMetrics().height() + 6;
    title_->setObjectName(QStringLiteral("Title"));
    title_->setGeometry(kBorder, kBorder, kClient.width(), titleHeight);
    title_->setAlignment(Qt::AlignCenter);
    title_->setAutoFillBackground(true);
    QPalette bar = title_->palette();
    bar.setColor(QPalette::Window, bar.color(QPalette::Highlight));
    bar.setColor(QPalette::WindowText, bar.color(QPalette::HighlightedText));
    title_->setPalette(bar);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    client_->setGeometry(kBorder, kBorder + titleHeight, kClient.width(), kClient.height());
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(kClient.width() + 2 * kBorder, kClient.height() + titleHeight + 2 * kBorder);
    setCursor(Qt::WaitCursor);
    // Shown only for operations, during which it must be the only window that takes input.
    setWindowModality(Qt::ApplicationModal);
    progBarYnD_->hide();
    ui::WindowTexts::global().registerWindow(QStringLiteral("TWaitForm"), this);
}

void ProgressWindow::placeOver(const QWidget* widget) {
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    move(origin.x() + widget->width() / 2 - width() / 2,
         origin.y() + widget->height() * 3 / 4 - height() / 2);
}

// A text longer than its label's design width widens the label (a right-aligned one to the left)
// as far as its neighbour leaves room; the busy text, which says how to abort, goes first.
bool ProgressWindow::fitLabels() {
    const QRect before[] = {waitLab_->geometry(), progLab_->geometry(), timeLab_->geometry()};
    const int waitRight = kWaitLab.right() + 1;
    const int stepRoom = kProgLab.x() + std::min(need(progLab_), kProgLab.width()) + kGap;
    const int waitLeft = std::min(kWaitLab.x(), std::max(stepRoom, waitRight - need(waitLab_)));
    waitLab_->setGeometry(waitLeft, kWaitLab.y(), waitRight - waitLeft, kWaitLab.height());

    const int stepRight = need(waitLab_) > 0 ? waitLeft - kGap : client_->width() - kGap;
    const int stepWidth = need(progLab_) <= kProgLab.width()
                              ? kProgLab.width()
                              : std::min(need(progLab_), stepRight - kProgLab.x());
    progLab_->setGeometry(kProgLab.x(), kProgLab.y(), stepWidth, kProgLab.height());

    const int timeRight = kTimeLab.right() + 1;
    const int timeRoom = progBarYnD_->isHidden() ? kProgLab.x() : progBarYnD_->geometry().right() + 1 + kGap;
    const int timeLeft = std::min(kTimeLab.x(), std::max(timeRoom, timeRight - need(timeLab_)));
    timeLab_->setGeometry(timeLeft, kTimeLab.y(), timeRight - timeLeft, kTimeLab.height());
    const bool moved = before[0] != waitLab_->geometry() || before[1] != progLab_->geometry() ||
                       before[2] != timeLab_->geometry();
    relaid_ = relaid_ || moved;
    return moved;
}

double ProgressWindow::steadyMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ProgressWindow::changed(QWidget* control) {
    if (std::find(changed_.begin(), changed_.end(), control) == changed_.end()) changed_.push_back(control);
}

void ProgressWindow::beginOperation() {
    // The language texts are written straight into the labels.
    fitLabels();
    show();
    raise();
    activateWindow();
    repaint();
    barsPaintedMs_ = nowMs_();
    changed_.clear();
    relaid_ = false;
}

void ProgressWindow::endOperation() {
    hide();
    setOverallPercent(0);
}

void ProgressWindow::setProgLab(const std::string& text) {
    progLab_->setText(QString::fromStdString(text));
    changed(progLab_);
    fitLabels();
}

void ProgressWindow::setWaitLab(const std::string& text) {
    waitLab_->setText(QString::fromStdString(text));
    changed(waitLab_);
    fitLabels();
}

void ProgressWindow::setTimeLab(const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (timeLab_->text() == shown) return;
    timeLab_->setText(shown);
    changed(timeLab_);
    fitLabels();
}

void ProgressWindow::setPhase(engine::RunPhase phase) {
    phase_ = phase;
    switch (phase) {
    case engine::RunPhase::Packing:
        setWaitLab(core::captionText(core::Caption::EscToAbort));
        setProgLab(core::captionText(core::Caption::PackingProgress));
        break;
    case engine::RunPhase::Stopping:
        setWaitLab(core::captionText(core::Caption::Aborted));
        break;
    case engine::RunPhase::Finished:
        setWaitLab(core::captionText(core::Caption::PleaseWait));
        break;
    }
}

void ProgressWindow::setStep(core::Caption captionSlot) {
    setProgLab(core::captionText(captionSlot));
}

// A bar takes no value outside its range, so the position is clamped to it.
void ProgressWindow::setOverallPercent(int percent) {
    const int value = std::clamp(percent, 0, 100);
    if (progBar_->value() == value) return;
    progBar_->setValue(value);
    changed(progBar_);
}

void ProgressWindow::setContainerPercent(int percent) {
    const int value = std::clamp(percent, 0, 100);
    if (progBarYnD_->value() == value) return;
    progBarYnD_->setValue(value);
    changed(progBarYnD_);
}

void ProgressWindow::showContainerPercent(bool visible) {
    if (progBarYnD_->isVisible() != visible) relaid_ = true;
    progBarYnD_->setVisible(visible);
    fitLabels();
}

// Seconds with one decimal ("0" as the run starts); a finished run's time says so.
void ProgressWindow::setElapsedMs(double ms) {
    const std::string seconds = ms == 0 ? "0" : core::NumberFormat::regional().fixed(ms / 1000.0, 1);
    std::string text = seconds + " " + core::captionText(core::Caption::Seconds);
    if (phase_ == engine::RunPhase::Finished) text = core::captionText(core::Caption::Run) + " " + text;
    setTimeLab(text);
}

void ProgressWindow::showElapsed(bool visible) {
    if (timeLab_->isVisible() != visible) relaid_ = true;
    timeLab_->setVisible(visible);
    fitLabels();
}

// Only what changed is painted: the fill driver calls this many times a second, and painting
// the whole window each time took as long as the packing itself.
void ProgressWindow::repaintNow() {
    if (isVisible()) {
        // A bar moves many times a second: it is painted at most once a frame, the
        // texts (changing at most ten times a second) at once.
        const double now = nowMs_();
        const bool barsDue = !barsPaintedMs_ || now - *barsPaintedMs_ >= barFrameMs;
        QRegion region;
        std::vector<QWidget*> later;
        for (QWidget* control : changed_) {
            if (!control->isVisible()) continue;
            if (!barsDue && (control == progBar_ || control == progBarYnD_)) {
                later.push_back(control);
                continue;
            }
            region += QRect(control->mapTo(this, QPoint(0, 0)), control->size());
        }
        if (relaid_)
            repaint();
        else if (!region.isEmpty())
            repaint(region);
        if (barsDue || relaid_) barsPaintedMs_ = now;
        changed_ = std::move(later);
    } else {
        changed_.clear();
    }
    relaid_ = false;
}

void ProgressWindow::processMessages() {
    QCoreApplication::processEvents();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) escPressed_ = true;
    event->accept();
}

void ProgressWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange) title_->setText(windowTitle());
}

void ProgressWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The user cannot close it (close box, Alt+F4); the program can, as when the application quits.
void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace rectix::app
