#include "results/SolutionWindow.h"

#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "results/PrintSession.h"
#include "results/ReportForms.h"
#include "results/SolutionReport.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "taskdb/SolutionExport.h"
#include "taskdb/SolveBridge.h"
#include "ui/CaptionLabel.h"
#include "ui/ControlBuilders.h"
#include "ui/DataCheckBox.h"
#include "ui/DataGrid.h"
#include "ui/DataLabel.h"
#include "ui/DisabledWindow.h"
#include "ui/DisplaySuspension.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/ReportPrinter.h"
#include "ui/ShownValue.h"
#include "ui/WindowTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>

namespace rectix::results {

namespace {

constexpr QSize leastClient{650, 470};
constexpr int kColumnWidth = 64;
const QColor fixedColumnGrey(230, 230, 230);

ui::DataColumn column(const char* field, int width = kColumnWidth) {
    return ui::readOnlyColumn(field, width);
}

ui::DataGrid* grid(dataset::Cursor& cursor, const char* name, std::vector<ui::DataColumn> cols) {
    auto* g = new ui::DataGrid(cursor, std::move(cols));
    g->setObjectName(QString::fromLatin1(name));
    g->setReadOnly(true);
    return g;
}

ui::DataLabel* value(dataset::Cursor& cursor, const char* field) {
    auto* v = new ui::DataLabel(cursor, field);
    v->setFrameShape(QFrame::Panel);
    v->setFrameShadow(QFrame::Sunken);
    v->setMinimumWidth(60);
    return v;
}

// A group box of four captions, each with the value it names, in two rows.
QGroupBox* figureBox(const char* name, const std::array<std::pair<QLabel*, QLabel*>, 4>& rows) {
    auto* box = new QGroupBox;
    box->setObjectName(QString::fromLatin1(name));
    auto* g = new QGridLayout(box);
    g->setContentsMargins(6, 4, 6, 4);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(3);
    for (int i = 0; i < 4; ++i) {
        g->addWidget(rows[static_cast<std::size_t>(i)].first, i / 2, (i % 2) * 2);
        g->addWidget(rows[static_cast<std::size_t>(i)].second, i / 2, (i % 2) * 2 + 1);
    }
    g->setColumnStretch(1, 3);
    g->setColumnStretch(3, 2);
    return box;
}

} // namespace

SolutionWindow::SolutionWindow(taskdb::DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("TSolutForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    ui::Help::setContext(this, 5);
    buildPage();
    keepLeastClient();
    resize(777, 516);

    // The box kinds' names and sizes are looked up in the box library.
    if (dm_.boxes.isOpen()) dm_.boxes.refresh();
    const QString area = QString::fromStdString(dm_.store().areaLabel);
    volLabel1_->setText(area);
    volLabel2_->setText(area);
    ui::WindowTexts::global().registerWindow(objectName(), this);
}

SolutionWindow::~SolutionWindow() = default;

void SolutionWindow::buildPage() {
    std::vector<ui::DataColumn> containers{column("Type", 127), column("ContNo"),  column("FixCont"),
                                           column("BoxLoad"),   column("VolLoad"), column("VolEff"),
                                           column("WgtLoad"),   column("WgtEff"),  column("CostLoad"),
                                           column("NoseLoad"),  column("TailLoad")};
    containers[2].background = fixedColumnGrey;
    solutGrid_ = grid(dm_.solut, "SolutGrid", std::move(containers));

    ui::DataColumn mark = column("Mark");
    mark.alignment = Qt::AlignRight | Qt::AlignVCenter;
    distrGrid_ = grid(dm_.distr, "DistrGrid",
                      {column("Kind", 104), column("Placed"), column("VolSum"), column("WgtSum"), mark});
    positGrid_ = grid(dm_.posit, "PositGrid",
                      {column("Kind", 127), column("BoxNo"), column("PosX"), column("PosY"), column("PosLh"),
                       column("PosWh"), column("LoadNo")});
    // The box-kinds grid is as wide as its columns; the positions grid takes the rest.
    int distrWidth = distrGrid_->verticalHeader()->width() + 2 * distrGrid_->frameWidth() +
                     distrGrid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < distrGrid_->model()->columnCount(); ++c) distrWidth += distrGrid_->columnWidth(c);
    distrGrid_->setFixedWidth(distrWidth);
    // No permanent selection: the current row shows only while the grid has the focus.
    positGrid_->setSelectionMode(QAbstractItemView::NoSelection);
    positGrid_->selectionModel()->clearSelection(); // the cell selected while it was built
    solutGrid_->installEventFilter(this);
    positGrid_->installEventFilter(this);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 6, 8, 6);
    page->setSpacing(4);
    page->addWidget(ui::captionLabel("Label2", true));
    page->addWidget(solutGrid_, 3);

    auto* selected = new QHBoxLayout;
    selected->addWidget(buildContainerBox(), 1);
    fixDBCheck_ = new ui::DataCheckBox(dm_.solut, "FixCont");
    fixDBCheck_->setObjectName(QStringLiteral("FixDBCheck"));
    selected->addWidget(fixDBCheck_);
    selected->addSpacing(12);
    selected->addWidget(buildButtons());
    page->addLayout(selected);

    auto* details = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(ui::captionLabel("Label3", true));
    left->addWidget(distrGrid_, 1);
    left->addWidget(buildBoxKindBox());
    auto* right = new QVBoxLayout;
    right->addWidget(ui::captionLabel("Label12", true));
    right->addWidget(positGrid_, 1);
    details->addLayout(left, 0);
    details->addLayout(right, 1);
    page->addLayout(details, 4);

    connect(fixDBCheck_, &QCheckBox::clicked, this, ui::guarded([this] { fixDBCheckMouseUp(); }));
    connect(chartButton_, &QPushButton::clicked, this, ui::guarded([this] { chartButtonClick(); }));
    connect(printButton_, &QPushButton::clicked, this, ui::guarded([this] { printButtonClick(); }));
    connect(fileButton_, &QPushButton::clicked, this, ui::guarded([this] { fileButtonClick(); }));
    connect(closeButton_, &QPushButton::clicked, this, [this] { closeButtonClick(); });
}

// The least client size is 650 x 470, or larger where a language's headings and the box-kinds
// grid need it: the layout sets the window's minimum from its controls' least sizes, and follows
// every caption a language writes. The containers grid takes up what the layout leaves short.
void SolutionWindow::keepLeastClient() {
    const QSize need = layout()->minimumSize();
    if (need.width() < leastClient.width())
        solutGrid_->setMinimumWidth(solutGrid_->minimumSizeHint().width() + leastClient.width() -
                                    need.width());
    if (need.height() < leastClient.height())
        solutGrid_->setMinimumHeight(solutGrid_->minimumSizeHint().height() + leastClient.height() -
                                     need.height());
}

QWidget* SolutionWindow::buildContainerBox() {
    volLabel1_ = ui::captionLabel("VolLabel1");
    return figureBox("GroupBox1", {{{ui::captionLabel("Label4"), value(dm_.solut, "Type")},
                                    {ui::captionLabel("Label5"), value(dm_.solut, "LoadWt")},
                                    {volLabel1_, value(dm_.solut, "Volume")},
                                    {ui::captionLabel("Label7"), value(dm_.solut, "LHW")}}});
}

QWidget* SolutionWindow::buildBoxKindBox() {
    volLabel2_ = ui::captionLabel("VolLabel2");
    return figureBox("GroupBox2", {{{ui::captionLabel("Label8"), value(dm_.distr, "Kind")},
                                    {ui::captionLabel("Label9"), value(dm_.distr, "Weight")},
                                    {volLabel2_, value(dm_.distr, "Volume")},
                                    {ui::captionLabel("Label11"), value(dm_.distr, "LHW")}}});
}

QWidget* SolutionWindow::buildButtons() {
    auto* buttons = new QWidget;
    auto* g = new QGridLayout(buttons);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(4);
    chartButton_ = ui::namedButton("ChartButton");
    printButton_ = ui::namedButton("PrintButton");
    fileButton_ = ui::namedButton("FileButton");
    closeButton_ = ui::namedButton("CloseButton");
    g->addWidget(chartButton_, 0, 0);
    g->addWidget(printButton_, 0, 1);
    g->addWidget(fileButton_, 1, 0);
    g->addWidget(closeButton_, 1, 1);
    printButton_->setEnabled(false);
    chartButton_->setEnabled(false);
    return buttons;
}

void SolutionWindow::setLayoutPage(QDialog* page) {
    layoutPage_ = page;
    chartButton_->setEnabled(page != nullptr);
}

void SolutionWindow::setReports(ReportForms* reports) {
    reports_ = reports;
    printButton_->setEnabled(reports != nullptr);
}

void SolutionWindow::showEvent(QShowEvent* event) {
    taskdb::RunStore& store = dm_.store();
    if (store.placementFlags.solutForm) {
        if (const QScreen* screen = this->screen()) {
            const QRect free = screen->geometry();
            const QSize size = frameGeometry().size();
            move(std::max(4, free.width() - size.width() - 4),
                 std::max(0, free.height() - size.height() - 30));
        }
        store.placementFlags.solutForm = false;
    }
    // A page without a row has no container to fix.
    fixDBCheck_->setReadOnly(!dm_.solut.isOpen() || dm_.solut.isEmpty());
    QDialog::showEvent(event);
    (chartButton_->isEnabled() ? chartButton_ : closeButton_)->setFocus(Qt::OtherFocusReason);
}

// The containers and positions grids scale their columns whenever their width changes.
bool SolutionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == solutGrid_) solutWidths_.scale(*solutGrid_);
        if (watched == positGrid_) positWidths_.scale(*positGrid_);
    }
    return QDialog::eventFilter(watched, event);
}

void SolutionWindow::chartButtonClick() {
    if (!layoutPage_) return;
    taskdb::RunStore& store = dm_.store();
    if (dm_.tasksTaskID.asInteger() != store.loadedSolutionTaskID && reloadPlan_) {
        const taskdb::OperationFrame frame(dm_.operationView(),
                                           taskdb::OperationFrame::Options().busyCursor());
        const ui::DisabledWindow off(this);
        reloadPlan_();
    }
    layoutPage_->exec();
    closeButton_->setFocus();
}

void SolutionWindow::printButtonClick() {
    taskdb::RunStore& store = dm_.store();
    if (!reports_ || !PrintSession::printerReady(store)) return;
    // What a reload refuses is not printed either.
    taskdb::SolveBridge::checkStoredSolution(dm_);
    if (store.warnings) {
        if (!PrintSession::confirmed(store, core::Msg::PrintSolution)) return;
        core::Dialogs::current().show(core::DialogKind::Confirmation,
                                      core::messageText(core::Msg::PrintOtherContainer),
                                      core::DialogButton::Ok, 0);
    }
    SolutionReport& report = reports_->solution();
    const std::unique_ptr<QPrinter> printer = reports_->printer.setUp(report.job(), this);
    if (!printer) return;
    const PrintSession session(this, {&dm_.solut, &dm_.posit}, true);
    // The positions print for the container selected now, after the container table moved on.
    const ui::DisplaySuspension selected([&report] { report.markSelected(); },
                                         [&report] { report.freeSelected(); });
    ui::ReportPrinter::printOn(report.job(), *printer);
}

void SolutionWindow::fileButtonClick() {
    core::Dialogs& dialogs = core::Dialogs::current();
    if (dm_.store().warnings &&
        dialogs.show(core::DialogKind::Confirmation, core::messageText(core::Msg::WriteSolutionFiles),
                     core::DialogButton::Ok | core::DialogButton::Cancel, 0) != core::DialogButton::Ok)
        return;
    taskdb::SolutionExport::Result result;
    {
        const taskdb::OperationFrame frame(dm_.operationView(),
                                           taskdb::OperationFrame::Options().busyCursor());
        const ui::DisabledWindow off(this);
        const std::string date = ui::shownValue(dm_.tasksDate, dm_.tasksDate.value()).toStdString();
        result = taskdb::SolutionExport(dm_).write(std::filesystem::current_path() / "solutions", date);
    }
    if (!result.written()) {
        dialogs.show(core::DialogKind::Warning, core::messageText(core::Msg::SolutionFilesFailed),
                     core::DialogButton::Ok, 0);
        return;
    }
    std::string text = core::messageText(core::Msg::SolutionFilesWritten);
    for (const auto* file : {&result.files.containers, &result.files.boxKinds, &result.files.positions})
        text += "\r ../" + (std::filesystem::path("solutions") / file->filename()).string();
    dialogs.show(core::DialogKind::Information, text, core::DialogButton::Ok, 0);
}

void SolutionWindow::fixDBCheckMouseUp() {
    dataset::Cursor& solut = dm_.solut;
    if (!solut.isOpen() || !solut.modified()) return;
    try {
        solut.post();
    } catch (...) {
        // The check box shows the stored value again.
        solut.cancel();
        throw;
    }
}

void SolutionWindow::closeButtonClick() {
    accept();
}

} // namespace rectix::results
