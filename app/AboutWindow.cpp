#include "app/AboutWindow.h"

#include "core/Version.h"
#include "ui/FixedDialog.h"
#include "ui/Help.h"
#include "ui/Hints.h"
#include "ui/WindowTexts.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rectix::app {

namespace {

AboutWindow* instance = nullptr;

QLabel* line(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    if (pointSize > 0) f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    return l;
}

} // namespace

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, ui::fixedDialogFlags), hintsCheck_(new QCheckBox(this)),
      warnsCheck_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("AboutForm"));
    setFixedSize(356, 432);
    ui::Help::setContext(this, 1);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* texts = new QVBoxLayout(panel);
    texts->setSpacing(10);
    texts->addStretch(2);
    texts->addWidget(line(panel, "ProductLab",
                          QStringLiteral("Rectix ") + QString::fromLatin1(core::programVersion), 20, true));
    texts->addWidget(line(panel, "PurposeLab", QStringLiteral("Rectangle packing optimizer"), 0, false));
    texts->addStretch(1);
    texts->addWidget(
        line(panel, "NoticeLab", QStringLiteral("Copyright \u00A9 The Rectix developers"), 0, false));
    texts->addWidget(line(panel, "ContactLab", QStringLiteral("Contact: support@rectix.example"), 0, false));
    texts->addStretch(1);
    texts->addWidget(line(panel, "ThanksLab", QString(), 0, true));
    texts->addStretch(2);

    hintsCheck_->setObjectName(QStringLiteral("HintsCheck"));
    hintsCheck_->setChecked(ui::Hints::global().shown());
    warnsCheck_->setObjectName(QStringLiteral("WarnsCheck"));
    warnsCheck_->setChecked(true);
    connect(hintsCheck_, &QCheckBox::toggled, this, [](bool on) { ui::Hints::global().setShown(on); });
    connect(warnsCheck_, &QCheckBox::toggled, this, &AboutWindow::warningsChanged);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkBut"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* options = new QHBoxLayout;
    options->addStretch();
    options->addWidget(hintsCheck_);
    options->addSpacing(24);
    options->addWidget(warnsCheck_);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);
    column->addWidget(panel, 1);
    column->addLayout(options);
    column->addLayout(buttons);

    instance = this;
    ui::WindowTexts::global().registerWindow(QStringLiteral("TAboutForm"), this);
}

AboutWindow::~AboutWindow() {
    if (instance == this) instance = nullptr;
}

bool AboutWindow::warnings() {
    return instance ? instance->warnsCheck_->isChecked() : true;
}

bool AboutWindow::prompts() {
    return ui::Hints::global().shown();
}

} // namespace rectix::app
