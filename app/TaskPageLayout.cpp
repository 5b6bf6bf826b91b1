// The task page's controls and their places.
#include "app/MainWindow.h"

#include "app/PageColours.h"
#include "lang/Language.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"
#include "ui/CaptionLabel.h"
#include "ui/ControlBuilders.h"
#include "ui/DataCheckBox.h"
#include "ui/DataEdit.h"
#include "ui/DataGrid.h"
#include "ui/DataNavigator.h"
#include "ui/ErrorBoundary.h"
#include "ui/FigureEdit.h"
#include "ui/Help.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <tuple>
#include <utility>
#include <vector>

namespace rectix::app {

namespace {

constexpr int kFigureWidth = 80;
constexpr int kFigureMinWidth = 64;
constexpr int kNavigatorWidth = 150;
constexpr int kGridColumn = 64;
// The outer minimum of 702 x 520 less the frame.
constexpr QSize minimumClient{694, 488};
// Room beside a button's caption for its frame and margins.
constexpr int kButtonPadding = 16;

ui::FigureEdit* figureEdit(taskdb::PageFigure figure, const QColor& colour) {
    static constexpr const char* names[taskdb::pageFigureCount] = {
        "AvlNmb", "AvlWgt", "AvlVol", "UsdNmb", "UsdWgt", "UsdVol", "TotNmb", "TotWgt",
        "TotVol", "LftNmb", "LftWgt", "LftVol", "EffWgt", "EffVol", "CostPck"};
    auto* e = new ui::FigureEdit;
    e->setObjectName(QString::fromLatin1(names[static_cast<int>(figure)]));
    e->setFocusPolicy(Qt::ClickFocus);
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(kFigureMinWidth);
    e->setMaximumWidth(kFigureWidth);
    if (colour.isValid()) setBaseColour(e, colour);
    return e;
}

ui::DataColumn column(const char* field, int width, QColor background = {}) {
    ui::DataColumn c;
    c.field = field;
    c.widthPixels = width;
    c.background = background;
    return c;
}

// Columns 4 and up show library values (yellow) and are changed only in the libraries.
std::vector<ui::DataColumn> taskColumns(bool containers, const QString& areaTitle) {
    std::vector<ui::DataColumn> cols;
    ui::DataColumn name = column(containers ? "Type" : "Kind", containers ? 138 : 141);
    name.dropDownRows = containers ? 12 : 18;
    cols.push_back(name);
    ui::DataColumn cost = column("Cost", 0);
    cost.textColor = greenFont;
    cols.push_back(cost);
    ui::DataColumn prior = column("Prior", 0);
    prior.visible = false;
    cols.push_back(prior);
    ui::DataColumn amount = column(containers ? "Avail" : "Total", kGridColumn);
    amount.textColor = blueFont;
    cols.push_back(amount);
    ui::DataColumn used = column(containers ? "Used" : "Placed", kGridColumn, libraryYellow);
    cols.push_back(used);
    ui::DataColumn mark = column("Mark", kGridColumn, libraryYellow);
    mark.alignment = Qt::AlignRight;
    cols.push_back(mark);
    cols.push_back(column("Length", kGridColumn, libraryYellow));
    cols.push_back(column("Width", kGridColumn, libraryYellow));
    ui::DataColumn area = column("Volume", kGridColumn, libraryYellow);
    area.title = areaTitle;
    cols.push_back(area);
    cols.push_back(column(containers ? "LoadWt" : "Weight", kGridColumn, libraryYellow));
    ui::DataColumn last = column(containers ? "FillDir" : "TurnOn", kGridColumn, libraryYellow);
    cols.push_back(last);
    for (std::size_t c = 4; c < cols.size(); ++c) cols[c].readOnly = true;
    return cols;
}

} // namespace

void MainWindow::buildPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TaskPage"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    column->addWidget(buildTaskRows());

    contsHead_ = new QHBoxLayout;
    contsHead_->addWidget(ui::captionLabel("Label3", true));
    contsHead_->addStretch();
    column->addLayout(contsHead_);
    contsArea_ = new QVBoxLayout;
    column->addLayout(contsArea_, 1);

    boxesHead_ = new QHBoxLayout;
    boxesHead_->addWidget(ui::captionLabel("Label4", true));
    boxesHead_->addStretch();
    column->addLayout(boxesHead_);
    boxesArea_ = new QVBoxLayout;
    column->addLayout(boxesArea_, 1);

    column->addWidget(buildTotals());
    column->addWidget(buildButtons());
    setCentralWidget(page);
    buildHelpPopup();
}

QWidget* MainWindow::buildTaskRows() {
    auto* rows = new QWidget;
    auto* g = new QGridLayout(rows);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(4);
    g->addWidget(ui::captionLabel("Label1", true), 0, 0);
    g->addWidget(ui::captionLabel("Label2", true), 1, 0);

    taskButton_ = ui::namedButton("TaskButton", "...");
    taskButton_->setFixedWidth(28);
    exchLabel_ = ui::captionLabel("ExchLabel", true);
    QPalette red = exchLabel_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    exchLabel_->setPalette(red);
    exchLabel_->hide();

    taskRow_ = new QHBoxLayout;
    taskRow_->setSpacing(4);
    taskRow_->addWidget(taskButton_);
    taskRow_->addStretch();
    taskRow_->addWidget(exchLabel_);
    taskRow_->addSpacing(12);
    taskRow_->addWidget(ui::captionLabel("Label19"));
    g->addLayout(taskRow_, 0, 1);
    descrRow_ = new QHBoxLayout;
    g->addLayout(descrRow_, 1, 1);
    g->setColumnStretch(1, 1);
    return rows;
}

QWidget* MainWindow::buildTotals() {
    using taskdb::PageFigure;
    for (int f = 0; f < taskdb::pageFigureCount; ++f) {
        const auto figure = static_cast<PageFigure>(f);
        QColor colour;
        switch (figure) {
        case PageFigure::AvlNmb:
        case PageFigure::AvlWgt:
        case PageFigure::AvlVol:
        case PageFigure::TotNmb:
        case PageFigure::TotWgt:
        case PageFigure::TotVol:
            colour = libraryYellow;
            break;
        case PageFigure::CostPck:
            break;
        default:
            colour = aqua;
            break;
        }
        figures_[static_cast<std::size_t>(f)] = figureEdit(figure, colour);
    }
    auto fig = [this](PageFigure f) { return figures_[static_cast<std::size_t>(f)]; };
    ui::Help::setContext(fig(PageFigure::CostPck), 3);

    // One grid for the headings and the figures, so that each heading stays over its column at
    // every width. Columns: containers 0-2, boxes 4-6, utilization 8-9, multiplier 11.
    auto* totals = new QWidget;
    auto* g = new QGridLayout(totals);
    g->setContentsMargins(0, 2, 0, 2);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    for (int gap : {3, 7, 10}) g->setColumnMinimumWidth(gap, 8);
    g->setColumnStretch(12, 1);

    // The language texts write each block's heading as one line ("Containers:   Avail   Used");
    // the page shows its parts over their columns.
    for (auto [holder, name, column] :
         {std::tuple{&contsHeading_, "Label5", 0}, std::tuple{&boxesHeading_, "Label9", 4}}) {
        Heading& h = *holder;
        h.text = ui::captionLabel(name);
        h.text->hide();
        g->addWidget(h.text, 0, column);
        for (int part = 0; part < 3; ++part) {
            const QString partName = QString::fromLatin1(name) + QLatin1Char(static_cast<char>('a' + part));
            h.parts[static_cast<std::size_t>(part)] = ui::captionLabel(partName.toLatin1().constData());
            g->addWidget(h.parts[static_cast<std::size_t>(part)], 0, column + part,
                         part == 0 ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignHCenter | Qt::AlignBottom);
        }
    }
    splitHeadings();

    auto rows = [g](int column, std::initializer_list<std::pair<QLabel*, std::vector<QLineEdit*>>> lines) {
        int r = 1;
        for (const auto& [name, edits] : lines) {
            g->addWidget(name, r, column);
            for (std::size_t e = 0; e < edits.size(); ++e)
                g->addWidget(edits[e], r, column + 1 + static_cast<int>(e));
            ++r;
        }
    };
    volLabel1_ = ui::captionLabel("VolLabel1");
    rows(0, {{ui::captionLabel("Label6"), {fig(PageFigure::AvlNmb), fig(PageFigure::UsdNmb)}},
             {ui::captionLabel("Label7"), {fig(PageFigure::AvlWgt), fig(PageFigure::UsdWgt)}},
             {volLabel1_, {fig(PageFigure::AvlVol), fig(PageFigure::UsdVol)}}});
    volLabel2_ = ui::captionLabel("VolLabel2");
    rows(4, {{ui::captionLabel("Label10"), {fig(PageFigure::TotNmb), fig(PageFigure::LftNmb)}},
             {ui::captionLabel("Label11"), {fig(PageFigure::TotWgt), fig(PageFigure::LftWgt)}},
             {volLabel2_, {fig(PageFigure::TotVol), fig(PageFigure::LftVol)}}});
    g->addWidget(ui::captionLabel("Label15"), 0, 8, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    rows(8, {{ui::captionLabel("Label13"), {fig(PageFigure::EffWgt)}},
             {ui::captionLabel("Label14"), {fig(PageFigure::EffVol)}},
             {ui::captionLabel("Label8"), {fig(PageFigure::CostPck)}}});

    QLabel* multLabel = ui::captionLabel("Label12");
    ui::Help::setContext(multLabel, 3);
    g->addWidget(multLabel, 0, 11, Qt::AlignLeft | Qt::AlignBottom);
    volMltEdit_ = new QLineEdit;
    volMltEdit_->setObjectName(QStringLiteral("VolMltEdit"));
    volMltEdit_->setReadOnly(true);
    volMltEdit_->setFocusPolicy(Qt::ClickFocus);
    volMltEdit_->setAlignment(Qt::AlignRight);
    volMltEdit_->setMinimumWidth(kFigureMinWidth);
    volMltEdit_->setMaximumWidth(kFigureWidth);
    ui::Help::setContext(volMltEdit_, 3);
    // Only the spinner's arrows show: the multiplier is written in the edit beside it.
    volMltUp_ = new QSpinBox;
    volMltUp_->setObjectName(QStringLiteral("VolMltUp"));
    volMltUp_->setRange(0, 6);
    volMltUp_->setWrapping(false);
    volMltUp_->setFixedWidth(18);
    ui::Help::setContext(volMltUp_, 3);
    auto* spin = new QHBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(volMltEdit_);
    spin->addWidget(volMltUp_);
    g->addLayout(spin, 1, 11);
    connect(volMltUp_, &QSpinBox::valueChanged, this, ui::guarded([this] { volMltUpClick(); }));
    return totals;
}

QWidget* MainWindow::buildButtons() {
    contsButton_ = ui::namedButton("ContsButton");
    boxesButton_ = ui::namedButton("BoxesButton");
    runButton_ = ui::namedButton("RunButton");
    resultButton_ = ui::namedButton("ResultButton");
    viewButton_ = ui::namedButton("ViewButton");
    printButton_ = ui::namedButton("PrintButton");
    optButton_ = ui::namedButton("OptButton");
    helpButton_ = ui::namedButton("HelpButton", "?");
    helpButton_->setFixedWidth(32);
    exitButton_ = ui::namedButton("ExitButton");

    auto* bar = new QWidget;
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 2, 0, 0);
    line->setSpacing(6);
    for (QPushButton* b : {contsButton_, boxesButton_}) line->addWidget(b);
    line->addSpacing(8);
    for (QPushButton* b : {runButton_, resultButton_, viewButton_}) line->addWidget(b);
    line->addSpacing(8);
    for (QPushButton* b : {printButton_, optButton_}) line->addWidget(b);
    line->addStretch();
    for (QPushButton* b : {helpButton_, exitButton_}) line->addWidget(b);

    connect(contsButton_, &QPushButton::clicked, this, ui::guarded([this] { contsButtonClick(); }));
    connect(boxesButton_, &QPushButton::clicked, this, ui::guarded([this] { boxesButtonClick(); }));
    connect(runButton_, &QPushButton::clicked, this, ui::guarded([this] { runButtonClick(); }));
    connect(resultButton_, &QPushButton::clicked, this, ui::guarded([this] { resultButtonClick(); }));
    connect(viewButton_, &QPushButton::clicked, this, ui::guarded([this] { viewButtonClick(); }));
    connect(printButton_, &QPushButton::clicked, this, ui::guarded([this] { printButtonClick(); }));
    connect(optButton_, &QPushButton::clicked, this, ui::guarded([this] { optButtonClick(); }));
    connect(helpButton_, &QPushButton::clicked, this, ui::guarded([this] { helpButtonClick(); }));
    connect(exitButton_, &QPushButton::clicked, this, ui::guarded([this] { exitButtonClick(); }));
    connect(taskButton_, &QPushButton::clicked, this, ui::guarded([this] { taskButtonClick(); }));
    fitButtons();
    return bar;
}

// The style gives every captioned button a wide minimum; on this page a button may narrow to its
// caption, so that the row fits the design width in every language.
void MainWindow::fitButtons() {
    for (QPushButton* b : {contsButton_, boxesButton_, runButton_, resultButton_, viewButton_, printButton_,
                           optButton_, exitButton_}) {
        QString caption = b->text();
        caption.remove(QLatin1Char('&'));
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + kButtonPadding);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    // The design minimum would let the layout squeeze controls below what their texts need (the
    // longer captions of a language): the window's minimum grows to the layout's instead.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    setMinimumSize(minimumClient.expandedTo(layout()->minimumSize()));
}

void MainWindow::buildHelpPopup() {
    helpPopup_ = new QMenu(this);
    helpPopup_->setObjectName(QStringLiteral("HelpPopup"));
    // An empty caption is one the language texts write.
    auto item = [this](QMenu* menu, const char* name, const char* caption, auto action) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, ui::guarded(action));
        return a;
    };
    item(helpPopup_, "HelpPop", "", [] { ui::Help::global().showContext(1); });
    item(helpPopup_, "AboutPop", "", [this] {
        if (about_) about_->exec();
    });

    QMenu* languages = helpPopup_->addMenu(QString());
    languages->setObjectName(QStringLiteral("LangPop"));
    auto* radio = new QActionGroup(languages);
    lang::Language& routine = lang::Language::global();
    for (QAction* a :
         {item(languages, "EnglishPop", "", [&routine] { routine.applyEnglishTexts(true); }),
          item(languages, "FrenchPop", "", [&routine] { routine.applyFrenchTexts(true); }),
          item(languages, "GermanPop", "German", [&routine] { routine.applyEnglishTexts(true); }),
          item(languages, "ItalianPop", "", [&routine] { routine.applyItalianTexts(true); })}) {
        a->setCheckable(true);
        radio->addAction(a);
    }
    languages->findChild<QAction*>(QStringLiteral("EnglishPop"))->setChecked(true);
    languages->findChild<QAction*>(QStringLiteral("GermanPop"))->setVisible(false);

    languages->addSeparator();
    item(languages, "ResetPop", "Reset default", [&routine] { routine.applyEnglishTexts(true); });
    item(languages, "AcknowPop", "Acknowlegements", [this] {
        if (ackno_) ackno_->exec();
    });
}

void MainWindow::buildDataControls() {
    taskdb::DataModule& dm = *dm_;
    tasksNavigator_ = new ui::DataNavigator(dm.tasks);
    tasksNavigator_->setObjectName(QStringLiteral("TasksNavigator"));
    tasksNavigator_->setFixedWidth(kNavigatorWidth);
    nameEdit_ = new ui::DataEdit(dm.tasks, "Name");
    nameEdit_->setObjectName(QStringLiteral("NameEdit"));
    nameEdit_->setMinimumWidth(200);
    setBaseColour(nameEdit_, aqua);
    dateEdit_ = new ui::DataEdit(dm.tasks, "Date");
    dateEdit_->setObjectName(QStringLiteral("DateEdit"));
    dateEdit_->setReadOnly(true);
    dateEdit_->setFocusPolicy(Qt::ClickFocus);
    dateEdit_->setFixedWidth(90);
    descrEdit_ = new ui::DataEdit(dm.tasks, "Descr");
    descrEdit_->setObjectName(QStringLiteral("DescrEdit"));

    taskRow_->insertWidget(0, nameEdit_, 1);
    taskRow_->insertWidget(2, tasksNavigator_);
    taskRow_->addWidget(dateEdit_);
    descrRow_->addWidget(descrEdit_);

    connect(tasksNavigator_, &ui::DataNavigator::clicked, this,
            [this](ui::DataNavigator::Button b) { tasksNavigatorClick(b); });
    connect(nameEdit_, &ui::DataEdit::exited, this, ui::guarded([this] { nameEditExit(); }));
    connect(descrEdit_, &ui::DataEdit::exited, this, ui::guarded([this] { descrEditExit(); }));
    buildGrids();
}

void MainWindow::buildGrids() {
    taskdb::DataModule& dm = *dm_;
    const QString area = QString::fromStdString(store_.areaLabel);
    contsGrid_ = new ui::DataGrid(dm.tc, taskColumns(true, area));
    contsGrid_->setObjectName(QStringLiteral("ContsGrid"));
    boxesGrid_ = new ui::DataGrid(dm.tb, taskColumns(false, area));
    boxesGrid_->setObjectName(QStringLiteral("BoxesGrid"));
    contsNavigator_ = new ui::DataNavigator(dm.tc);
    contsNavigator_->setObjectName(QStringLiteral("ContsNavigator"));
    contsNavigator_->setToolTip(QStringLiteral("Containers to use for loading"));
    boxesNavigator_ = new ui::DataNavigator(dm.tb);
    boxesNavigator_->setObjectName(QStringLiteral("BoxesNavigator"));
    boxesNavigator_->setToolTip(QStringLiteral("Boxes to load in above containers"));
    dbCheckDflt_ = new ui::DataCheckBox(dm.tasks, "DefltOn");
    dbCheckDflt_->setObjectName(QStringLiteral("DBCheckDflt"));
    dbCheckDflt_->setLayoutDirection(Qt::RightToLeft); // the box after its caption
    dbCheckTurn_ = new ui::DataCheckBox(dm.tasks, "TurnOn");
    dbCheckTurn_->setObjectName(QStringLiteral("DBCheckTurn"));

    for (QWidget* w : std::initializer_list<QWidget*>{contsGrid_, boxesGrid_, contsNavigator_,
                                                      boxesNavigator_, dbCheckDflt_, dbCheckTurn_})
        ui::Help::setContext(w, 3);
    for (ui::DataNavigator* n : {contsNavigator_, boxesNavigator_}) n->setFixedWidth(kNavigatorWidth);

    contsHead_->addWidget(contsNavigator_);
    boxesHead_->addWidget(dbCheckDflt_);
    boxesHead_->addWidget(dbCheckTurn_);
    boxesHead_->addSpacing(24);
    boxesHead_->addWidget(boxesNavigator_);
    contsArea_->addWidget(contsGrid_);
    boxesArea_->addWidget(boxesGrid_);

    for (ui::DataGrid* grid : {contsGrid_, boxesGrid_}) {
        grid->beforeKey = [this](QKeyEvent& e) {
            guardGridEdit(e.key());
            return false;
        };
        grid->beforeDoubleClick = [this] {
            guardGridEdit(Qt::Key_Return);
            return false;
        };
        grid->installEventFilter(this);
    }
    dbCheckDflt_->installEventFilter(this);
    dbCheckTurn_->installEventFilter(this);
    volMltEdit_->installEventFilter(this);
    auto postRows = [this](ui::DataGrid* grid) {
        return ui::guarded([grid] { postWhenModified(grid->dataCursor()); });
    };
    // Moving to the next cell of a new row stores the row only once it has its quantity:
    // stored earlier it would be refused, and the row with it.
    auto postFilledRow = [this](ui::DataGrid* grid, const char* amount) {
        return ui::guarded([grid, amount] {
            dataset::Cursor& c = grid->dataCursor();
            if (c.state() == dataset::CursorState::Insert && c.field(amount).isNull()) return;
            postWhenModified(c);
        });
    };
    connect(contsGrid_, &ui::DataGrid::exited, this, postRows(contsGrid_));
    connect(contsGrid_, &ui::DataGrid::columnExited, this, postFilledRow(contsGrid_, "Avail"));
    connect(boxesGrid_, &ui::DataGrid::exited, this, postRows(boxesGrid_));
    connect(boxesGrid_, &ui::DataGrid::columnExited, this, postFilledRow(boxesGrid_, "Total"));
    for (auto [navigator, grid] :
         {std::pair{contsNavigator_, contsGrid_}, std::pair{boxesNavigator_, boxesGrid_}})
        connect(navigator, &ui::DataNavigator::clicked, this,
                [this, grid = grid](ui::DataNavigator::Button b) { rowsNavigatorClick(grid, b); });
    connect(dbCheckDflt_, &QCheckBox::clicked, this, ui::guarded([this] { dbCheckDfltMouseUp(); }));

    // The data controls join the page last; Tab still goes down the page.
    const std::initializer_list<QWidget*> order{
        nameEdit_,   taskButton_,  descrEdit_,   contsGrid_,   dbCheckDflt_, dbCheckTurn_,
        boxesGrid_,  volMltUp_,    contsButton_, boxesButton_, runButton_,   resultButton_,
        viewButton_, printButton_, optButton_,   helpButton_,  exitButton_};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace rectix::app
