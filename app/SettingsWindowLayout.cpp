// The settings window's controls, their places and their wiring.
#include "app/SettingsWindow.h"

#include "app/GapEdit.h"
#include "core/UiTexts.h"
#include "taskdb/DataModule.h"
#include "taskdb/TableSets.h"
#include "ui/ControlBuilders.h"
#include "ui/DataCheckBox.h"
#include "ui/DataEdit.h"
#include "ui/EnterPressesButton.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"
#include "ui/WindowTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rectix::app {

namespace {

constexpr int editWidth = 72;

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// Null caption or hint: the language texts write it.
QLabel* label(const char* name, const char* caption = nullptr, const char* hint = nullptr) {
    auto* l = named(new QLabel(QString::fromUtf8(caption)), name);
    if (hint) l->setToolTip(QString::fromUtf8(hint));
    return l;
}

// One row of the optimizer page: its label, the active control and the task's value.
struct SettingRow {
    const char* label;
    const char* caption; // null, as the hint: the language texts write it
    const char* hint;
    const char* upDown; // null for the typed gaps
    const char* edit;
    int minimum;
    int maximum;
    int step;
    const char* taskEdit;
    const char* field; // null: filled from the packed field Qw
};

// In the order of SettingsWindow::Setting.
constexpr SettingRow rows[] = {
    {"Label3", nullptr, nullptr, "PowerUpDn", "PowerEdit", 0, 20, 1, "PowerDBEd", "Power"},
    {"Label4", nullptr, nullptr, "TimeUpDn", "TimeEdit", 5, 5555, 5, "TimeDBEd", "Time"},
    {"Label5", nullptr, nullptr, "RandUpDn", "RandEdit", 1, 555, 1, "RandDBEd", "Rand"},
    {"Label6", nullptr, nullptr, "QwUpDn", "QwEdit", 0, 95, 5, "QwEditDB", nullptr},
    {"Label7", nullptr, nullptr, "QcUpDn", "QcEdit", 0, 100, 5, "QcDBEd", "Qc"},
    {"Label8", nullptr, nullptr, "QrUpDn", "QrEdit", 0, 100, 5, "QrDBEd", "Qr"},
    {"QgLabel", "Bind Group Factor", "Helps to keep identical item groups in the same container", "QgUpDn",
     "QgEdit", 0, 90, 10, "QgEditDB", nullptr},
    {"Label10", nullptr, nullptr, nullptr, "BBEdit", 0, 5000, 0, "BBDBEd", "BB"},
    {"Label11", nullptr, nullptr, nullptr, "BWEdit", 0, 5000, 0, "BWDBEd", "BW"},
};

// The spinner's own edit shows its position and takes no typing.
QSpinBox* upDown(const SettingRow& row) {
    auto* s = named(new QSpinBox, row.upDown);
    s->setRange(row.minimum, row.maximum);
    s->setSingleStep(row.step);
    s->setAlignment(Qt::AlignRight);
    s->setFixedWidth(editWidth);
    if (auto* edit = s->findChild<QLineEdit*>()) {
        edit->setObjectName(QString::fromLatin1(row.edit));
        edit->setReadOnly(true);
    }
    return s;
}

void disableTaskEdit(QLineEdit* e) {
    e->setReadOnly(true);
    e->setEnabled(false);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(editWidth);
}

} // namespace

void SettingsWindow::buildWindow() {
    setObjectName(QStringLiteral("OptForm"));
    ui::Help::setContext(this, 13);

    pages_ = named(new QTabWidget, "SettingPages");
    pages_->addTab(buildOptimizerPage(), QString());
    pages_->addTab(buildExchangePage(), QString());
    closeButton_ = ui::namedButton("CloseButton");

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::WindowTexts::global().registerWindow(QStringLiteral("TOptForm"), this);
    ui::EnterPressesButton::install(this);
}

QWidget* SettingsWindow::buildOptimizerPage() {
    auto* page = named(new QWidget, "OptSheet");
    ui::Help::setContext(page, 13);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    grid->addWidget(label("Label1"), 0, 1, Qt::AlignCenter);
    grid->addWidget(label("Label2"), 0, 2, Qt::AlignCenter);

    int line = 1;
    auto addRow = [&](int s) {
        const SettingRow& row = rows[s];
        grid->addWidget(label(row.label, row.caption, row.hint), line, 0);
        if (row.upDown) {
            upDowns_[s] = upDown(row);
            grid->addWidget(upDowns_[s], line, 1);
        } else {
            GapEdit*& gap = s == BB ? bbEdit_ : bwEdit_;
            gap = named(new GapEdit, row.edit);
            gap->setAlignment(Qt::AlignRight);
            gap->setFixedWidth(editWidth);
            grid->addWidget(gap, line, 1);
        }
        taskEdits_[s] =
            row.field ? static_cast<QLineEdit*>(new ui::DataEdit(dm_.tasks, row.field)) : new QLineEdit;
        taskEdits_[s]->setObjectName(QString::fromLatin1(row.taskEdit));
        disableTaskEdit(taskEdits_[s]);
        grid->addWidget(taskEdits_[s], line, 2);
        ++line;
    };
    for (int s = Power; s <= Qg; ++s) addRow(s);

    grid->addWidget(label("Label9"), line, 0);
    lastCheck_ = named(new QCheckBox, "LastCheck");
    lastDBCheck_ = named(new ui::DataCheckBox(dm_.tasks, "Last"), "LastDBCheck");
    lastDBCheck_->setReadOnly(true);
    lastDBCheck_->setEnabled(false);
    grid->addWidget(lastCheck_, line, 1, Qt::AlignCenter);
    grid->addWidget(lastDBCheck_, line, 2, Qt::AlignCenter);
    ++line;
    addRow(BB);
    addRow(BW);

    // Drives the two task-column edits of the packed field.
    qwDBEd_ = named(new ui::DataEdit(dm_.tasks, "Qw"), "QwDBEd");
    qwDBEd_->setReadOnly(true);
    qwDBEd_->hide();

    keepRadio_ = named(new QRadioButton, "KeepRadio");
    taskRadio_ = named(new QRadioButton, "TaskRadio");
    defltButton_ = ui::namedButton("DefltButton");
    auto* radios = new QVBoxLayout;
    radios->addWidget(keepRadio_);
    radios->addWidget(taskRadio_);
    auto* choices = new QHBoxLayout;
    choices->addLayout(radios);
    choices->addStretch();
    choices->addWidget(defltButton_, 0, Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(choices);
    layout->addWidget(qwDBEd_);
    layout->addStretch();
    return page;
}

QWidget* SettingsWindow::buildExchangePage() {
    auto* page = named(new QWidget, "ExchSheet");
    ui::Help::setContext(page, 15);
    auto* heading = label("Label13");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    addButton_ = ui::namedButton("AddButton");
    expButton_ = ui::namedButton("ExpButton");
    impButton_ = ui::namedButton("ImpButton");
    homeButton_ = ui::namedButton("HomeButton");
    clearButton_ = ui::namedButton("ClearButton",
                                   QString::fromStdString(core::captionText(core::Caption::EmptyActiveSet)));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    for (QPushButton* b : {addButton_, expButton_, impButton_, homeButton_, clearButton_}) {
        b->setMinimumWidth(220);
        layout->addWidget(b, 0, Qt::AlignHCenter);
    }
    layout->addStretch();
    return page;
}

void SettingsWindow::connectControls() {
    for (int s = 0; s < SettingCount; ++s) {
        if (!upDowns_[s]) continue;
        connect(upDowns_[s], &QSpinBox::valueChanged, this,
                [this, s](int position) { spinnerChanged(static_cast<Setting>(s), position); });
    }
    connect(lastCheck_, &QCheckBox::clicked, this, [this] { lastCheckClick(); });
    connect(taskRadio_, &QRadioButton::clicked, this, ui::guarded([this] { taskRadioClick(); }));
    connect(keepRadio_, &QRadioButton::clicked, this, [this] { keepRadioClick(); });
    connect(defltButton_, &QPushButton::clicked, this, [this] { setDefaultOptions(false); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    for (GapEdit* gap : {bbEdit_, bwEdit_}) {
        connect(gap, &GapEdit::exited, this, [this, gap] { commitGap(gap, BadGap::Report); });
        gap->commit = [this, gap] { return commitGap(gap, BadGap::Report); };
    }
    connect(bbEdit_, &GapEdit::enterPressed, this, [this] { bwEdit_->setFocus(Qt::TabFocusReason); });
    connect(bwEdit_, &GapEdit::enterPressed, this, [this] { closeButton_->setFocus(Qt::TabFocusReason); });
    connect(qwDBEd_, &QLineEdit::textChanged, this, [this] { qwDBEdChange(); });
    qwDBEdChange(); // the task shown before the window existed
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });

    connect(addButton_, &QPushButton::clicked, this, [this] { taskCopying(true); });
    connect(homeButton_, &QPushButton::clicked, this,
            [this] { runSetOperation([this] { sets_.switchToHome(); }); });
    connect(expButton_, &QPushButton::clicked, this,
            [this] { runSetOperation([this] { sets_.switchDatabase(1); }); });
    connect(impButton_, &QPushButton::clicked, this,
            [this] { runSetOperation([this] { sets_.switchDatabase(2); }); });
    connect(clearButton_, &QPushButton::clicked, this,
            [this] { runSetOperation([this] { sets_.emptyActiveSet(); }); });
}

} // namespace rectix::app
