#include "results/LayoutWindow.h"

#include "core/UiTexts.h"
#include "engine/PackProblem.h"
#include "render/BoxPicking.h"
#include "render/Colours.h"
#include "render/LayoutChart.h"
#include "render/LayoutPicture.h"
#include "render/LayoutView.h"
#include "render/ViewSettings.h"
#include "results/ImageReport.h"
#include "results/LayoutImage.h"
#include "results/PrintSession.h"
#include "results/ReportForms.h"
#include "results/ViewOptionsWindow.h"
#include "taskdb/RunStore.h"
#include "ui/CaptionButton.h"
#include "ui/DisplaySuspension.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/Hints.h"
#include "ui/ReportPrinter.h"
#include "ui/WindowTexts.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace rectix::results {

namespace {

constexpr QSize leastClient{516, 388};

QString caption(int slot) {
    return QString::fromStdString(core::captionText(slot));
}

QString hint(int slot) {
    return QString::fromStdString(core::hintText(slot));
}

} // namespace

LayoutWindow::LayoutWindow(render::LayoutView& view, engine::PackProblem& problem, ViewOptionsWindow& options,
                           taskdb::RunStore& store, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      view_(view), problem_(problem), options_(options), store_(store) {
    setObjectName(QStringLiteral("DistrForm"));
    resize(776, 536);
    setMaximumSize(1608, 1208);
    setMouseTracking(true);
    ui::Help::setContext(this, 7);
    buildControls();

    timer2_.setObjectName(QStringLiteral("Timer2"));
    connect(&timer2_, &QTimer::timeout, this, [this] { timer2Timer(); });

    // The view options are this page's tool window, so they stay usable while the page is modal.
    options_.setParent(this, options_.windowFlags());
    options_.setPage(this, &problem_, [this] { redraw(); });
    options_.normalTracks(true);
    ui::WindowTexts::global().registerWindow(QStringLiteral("TDistrForm"), this);
}

LayoutWindow::~LayoutWindow() {
    // The view options outlive the page.
    options_.setPage(nullptr, nullptr, {});
    options_.setParent(nullptr, options_.windowFlags());
}

QPushButton* LayoutWindow::button(const char* name, const QString& text, bool bold) {
    auto* b = new ui::CaptionButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    if (bold) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }
    return b;
}

void LayoutWindow::buildControls() {
    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1_->setAutoFillBackground(true);
    image_ = new LayoutImage(panel1_);
    image_->setMousePress([this](Qt::MouseButton b, QPoint at) { image1MouseDown(b, at); });
    auto* inPanel = new QVBoxLayout(panel1_);
    inPanel->setContentsMargins(2, 2, 2, 2);
    inPanel->addWidget(image_);

    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    oneButton_ = button("OneButton", QStringLiteral("1"));
    minButton_ = button("MinButton", QStringLiteral("-"), true);
    plsButton_ = button("PlsButton", QStringLiteral("+"));
    fillButton_ = button("FillButton", QStringLiteral(">>"));
    sumButton_ = button("SumButton", QStringLiteral("N"));
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    prevButton_ = button("PrevButton");
    singleButton_ = button("SingleButton");
    nextButton_ = button("NextButton");
    tuneButton_ = button("TuneButton", QStringLiteral("..."), true);
    printButton_ = button("PrintButton");
    diagButton_ = button("DiagButton");
    closeButton_ = button("CloseButton");
    for (QPushButton* b : {oneButton_, minButton_, plsButton_, fillButton_, sumButton_}) {
        b->setFixedWidth(32);
        b->setEnabled(false);
    }
    tuneButton_->setFixedWidth(32);
    // Where the row is short of room the buttons give it up down to their captions, and the
    // headings keep theirs.
    for (QLabel* heading : {label3_, label1_})
        heading->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    printButton_->setEnabled(false);

    connect(oneButton_, &QPushButton::clicked, this, [this] { oneButtonClick(); });
    connect(minButton_, &QPushButton::clicked, this, [this] { minButtonClick(); });
    connect(plsButton_, &QPushButton::clicked, this, [this] { plsButtonClick(); });
    connect(fillButton_, &QPushButton::clicked, this, [this] { fillButtonClick(); });
    connect(sumButton_, &QPushButton::clicked, this, [this] { sumButtonClick(); });
    connect(prevButton_, &QPushButton::clicked, this, [this] { prevButtonClick(); });
    connect(singleButton_, &QPushButton::clicked, this, [this] { singleButtonClick(); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { nextButtonClick(); });
    connect(tuneButton_, &QPushButton::clicked, this, [this] { tuneButtonClick(); });
    connect(diagButton_, &QPushButton::clicked, this, [this] { diagButtonClick(); });
    connect(printButton_, &QPushButton::clicked, this, ui::guarded([this] { printButtonClick(); }));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(label3_);
    for (QPushButton* b : {oneButton_, minButton_, plsButton_, fillButton_, sumButton_}) row->addWidget(b);
    row->addSpacing(16);
    row->addWidget(label1_);
    for (QPushButton* b : {prevButton_, singleButton_, nextButton_}) row->addWidget(b);
    row->addStretch();
    for (QPushButton* b : {tuneButton_, printButton_, diagButton_, closeButton_}) row->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addWidget(panel1_, 1);
    column->addLayout(row);
    // The least client size is 516 x 388, or wider where a language's captions need it: the
    // layout sets the window's minimum from the picture's least size and the row's captions, and
    // follows every caption a language writes.
    const QMargins margins = column->contentsMargins();
    panel1_->setMinimumSize(leastClient.width() - margins.left() - margins.right(),
                            leastClient.height() - margins.top() - margins.bottom() - column->spacing() -
                                row->minimumSize().height());
}

std::int16_t LayoutWindow::boxLoad(std::int16_t container) const {
    return problem_.resultSolution.boxLoad[container];
}

void LayoutWindow::redraw() {
    QImage& bitmap = image_->bitmap();
    {
        QPainter painter(&bitmap);
        if (view_.chartMode)
            render::drawChart(painter, image_->size(), view_, problem_);
        else
            render::LayoutPicture(view_, problem_).redrawLayout(painter, image_->size(), false);
    }
    QPalette colours = panel1_->palette();
    colours.setColor(QPalette::Window, render::toQColor(view_.backgroundColor));
    panel1_->setPalette(colours);
    image_->update();
}

void LayoutWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) formShow();
}

void LayoutWindow::formShow() {
    if (store_.placementFlags.distrForm) {
        const QScreen* s = screen();
        const QRect area = s ? s->geometry() : QRect(0, 0, 1600, 1000);
        const QRect frame = frameGeometry();
        move(std::max(4, area.width() - frame.width() - 4), std::max(0, area.height() - frame.height() - 30));
        store_.placementFlags.distrForm = false;
    }
    fillInterval_ = 1000;
    options_.screenTracks();
    render::readViewSettings(view_, problem_);
    view_.currentContainer = 0;
    stopFillTimer();
    if (problem_.resultSolution.usedConts == 1) {
        for (std::int16_t c = 1; c <= problem_.contCount; ++c)
            if (boxLoad(c) > 0) {
                view_.currentContainer = c;
                break;
            }
    }
    view_.loadingStep = boxLoad(view_.currentContainer);
    setNavigationCaptions();
    enableSequenceButtons(view_.currentContainer != 0);
    view_.chartMode = false;
    showChartOrLayout();
}

void LayoutWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible()) redraw();
    store_.placementFlags.tuneForm = true;
}

void LayoutWindow::mouseMoveEvent(QMouseEvent* event) {
    image_->setToolTip(hint(14));
    QDialog::mouseMoveEvent(event);
}

// Esc, the close box and the Close button all end here; the page always answers OK.
void LayoutWindow::reject() {
    formClose();
    QDialog::accept();
}

void LayoutWindow::formClose() {
    if (options_.isVisible()) options_.close();
    stopFillTimer();
}

void LayoutWindow::stopFillTimer() {
    timer2_.stop();
    timer2_.setInterval(fillInterval_);
}

void LayoutWindow::setNavigationCaptions() {
    const bool single = view_.currentContainer != 0;
    singleButton_->setText(caption(single ? 14 : 11));
    prevButton_->setText(caption(single ? 15 : 12));
    nextButton_->setText(caption(single ? 16 : 13));
}

void LayoutWindow::enableSequenceButtons(bool on) {
    for (QPushButton* b : {oneButton_, minButton_, plsButton_, fillButton_, sumButton_}) b->setEnabled(on);
    options_.enableGrid(on);
    // The chart is reached from the overview only.
    diagButton_->setEnabled(!on);
}

void LayoutWindow::enableContainerButtons(bool on) {
    tuneButton_->setEnabled(on);
    printButton_->setEnabled(on && reports_ != nullptr);
    const bool several = on && problem_.resultSolution.usedConts > 1;
    for (QPushButton* b : {singleButton_, prevButton_, nextButton_}) b->setEnabled(several);
}

void LayoutWindow::showChartOrLayout() {
    if (options_.isVisible()) options_.close();
    image_->setHintsShown(!view_.chartMode && ui::Hints::global().shown());
    enableContainerButtons(!view_.chartMode);
    enableSequenceButtons(!view_.chartMode && view_.currentContainer != 0);
    const QString title = QCoreApplication::applicationName() + QStringLiteral("  -  ");
    if (view_.chartMode) {
        setWindowTitle(title + caption(19));
        diagButton_->setText(caption(17));
        diagButton_->setToolTip(hint(11));
    } else {
        setWindowTitle(title + caption(20));
        diagButton_->setText(caption(18));
        diagButton_->setToolTip(hint(12));
    }
    redraw();
}

void LayoutWindow::diagButtonClick() {
    view_.chartMode = !view_.chartMode;
    showChartOrLayout();
    stopFillTimer();
}

void LayoutWindow::tuneButtonClick() {
    if (options_.isVisible()) {
        options_.close();
        return;
    }
    // Opened on a command, it takes the keyboard: a tool window shown without activation is
    // out of reach for a user without a mouse.
    options_.show();
    options_.raise();
    options_.activateWindow();
}

void LayoutWindow::setReports(ReportForms* reports) {
    reports_ = reports;
    printButton_->setEnabled(reports_ != nullptr && !view_.chartMode);
}

void LayoutWindow::printButtonClick() {
    if (!reports_ || !PrintSession::printerReady(store_)) return;
    stopFillTimer();
    // Whatever ends the printing (a question, the dialog, an error), the screen colours return.
    const ui::DisplaySuspension printColours(
        [this] {
            render::printViewSettings(view_, problem_);
            redraw();
        },
        [this] {
            render::readViewSettings(view_, problem_);
            redraw();
        });
    if (!PrintSession::confirmed(store_, core::Msg::PrintImage)) return;
    ImageReport& report = reports_->image();
    const std::unique_ptr<QPrinter> printer = reports_->printer.setUp(report.job(), this);
    if (!printer) return;
    report.drawLayout(view_, problem_);
    const PrintSession session(this, {}, false);
    ui::ReportPrinter::printOn(report.job(), *printer);
}

void LayoutWindow::image1MouseDown(Qt::MouseButton button, QPoint at) {
    if (view_.chartMode) return;
    if (button == Qt::RightButton) {
        image_->setToolTip(hint(14));
        tuneButtonClick();
        return;
    }
    if (options_.isVisible()) options_.close();
    const std::int16_t box = render::pickBox(view_, problem_.boxCount, at.x(), at.y());
    image_->setToolTip(box == 0 ? hint(13) : render::boxHint(problem_, box));
    if (image_->hintsShown() && isVisible()) image_->showTipOnRelease(at);
}

} // namespace rectix::results
