#include "app/BoxImportMenu.h"

#include "app/LibraryWindow.h"
#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "taskdb/BoxImporter.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/Help.h"

#include <QActionGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include <fstream>
#include <initializer_list>
#include <system_error>

namespace rectix::app {

namespace {} // namespace

BoxImportMenu::BoxImportMenu(LibraryWindow& window, taskdb::DataModule& dm)
    : QObject(&window), window_(window), dm_(dm), store_(dm.store()) {
    button_ = new QPushButton;
    button_->setObjectName(QStringLiteral("ImpButton"));
    button_->setAutoDefault(false);
    window.buttonRow()->insertWidget(3, button_);
    connect(button_, &QPushButton::clicked, this, ui::guarded([this] { impButtonClick(); }));

    menu_ = new QMenu(&window);
    menu_->setObjectName(QStringLiteral("ImpPopup"));
    title("ImpPopAct");
    connect(item("ImpPopFile"), &QAction::triggered, this, ui::guarded([this] { impPopFileClick(); }));
    connect(item("ImpPopClip"), &QAction::triggered, this, ui::guarded([this] { pasteBoxes(); }));
    menu_->addSeparator();
    title("ImpPopOrder");
    auto* orderGroup = new QActionGroup(menu_);
    for (std::size_t i = 0; i < orders_.size(); ++i) {
        const QByteArray name = "ImpPopOrd" + QByteArray::number(static_cast<int>(i));
        QAction* a = item(name.constData());
        a->setCheckable(true);
        orderGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { store_.impOrder = static_cast<std::int16_t>(i); });
        orders_[i] = a;
    }
    menu_->addSeparator();
    title("ImpPopSeparat");
    auto* separatorGroup = new QActionGroup(menu_);
    separators_[0] = item("ImpPopSep0");
    separators_[1] = item("ImpPopSep1");
    for (std::size_t i = 0; i < separators_.size(); ++i) {
        separators_[i]->setCheckable(true);
        separatorGroup->addAction(separators_[i]);
        connect(separators_[i], &QAction::triggered, this,
                [this, i] { store_.impSepar = static_cast<std::int16_t>(i); });
    }
    menu_->addSeparator();
    header_ = item("ImpPopHead");
    header_->setCheckable(true);
    connect(header_, &QAction::triggered, this, [this](bool on) { store_.impHeader = on ? 1 : 0; });

    openDialog_ = new QFileDialog(&window);
    openDialog_->setObjectName(QStringLiteral("ImpOpenDlg"));
    openDialog_->setFileMode(QFileDialog::ExistingFile);
    openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openDialog_->setDefaultSuffix(QStringLiteral("txt"));

    // The import's own help page, not the box library's: the menu and the dialog are windows of
    // their own, so each names it too.
    for (QWidget* w : std::initializer_list<QWidget*>{button_, menu_, openDialog_})
        ui::Help::setContext(w, 14);

    window.onShown = [this] { checkItems(); };
}

QAction* BoxImportMenu::title(const char* name) {
    QAction* a = item(name);
    a->setEnabled(false);
    QFont f = a->font();
    f.setBold(true);
    a->setFont(f);
    return a;
}

QAction* BoxImportMenu::item(const char* name) {
    QAction* a = menu_->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void BoxImportMenu::checkItems() {
    const auto order = static_cast<std::size_t>(store_.impOrder);
    if (order < orders_.size()) orders_[order]->setChecked(true);
    separators_[store_.impSepar == 1 ? 1 : 0]->setChecked(true);
    header_->setChecked(store_.impHeader >= 1);
}

// The pop-up opens beside the button, half its height down.
void BoxImportMenu::impButtonClick() {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    menu_->popup(button_->mapToGlobal(QPoint(-4, button_->height() / 2)));
}

void BoxImportMenu::impPopFileClick() {
    const bool comma = store_.impSepar == 1;
    openDialog_->setDirectory(QString::fromLatin1(folder));
    openDialog_->setNameFilters({comma ? QStringLiteral("Rectix box import file (*.csv)")
                                       : QStringLiteral("Rectix box import file (*.txt)"),
                                 QStringLiteral("All files (*)")});
    if (openDialog_->exec() != QDialog::Accepted || openDialog_->selectedFiles().isEmpty()) return;
    importBoxesFrom(std::filesystem::path(openDialog_->selectedFiles().front().toStdString()));
}

void BoxImportMenu::pasteBoxes() {
    core::Dialogs& dialogs = core::Dialogs::current();
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        dialogs.show(core::DialogKind::Information, core::messageText(core::Msg::NoTextOnClipboard),
                     core::DialogButton::Ok, 11);
        return;
    }
    if (store_.warnings &&
        dialogs.show(core::DialogKind::Confirmation, core::messageText(core::Msg::PasteFromClipboard),
                     core::DialogButton::Ok | core::DialogButton::Cancel, 11) != core::DialogButton::Ok)
        return;
    {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const QByteArray bytes = text.toUtf8();
        std::ofstream log(pasteLog, std::ios::binary | std::ios::trunc);
        if (log) log.write(bytes.constData(), bytes.size());
        if (log) log.close();
        if (!log) {
            dialogs.show(core::DialogKind::Warning, core::messageText(core::Msg::PasteFailed),
                         core::DialogButton::Ok, 11);
            return;
        }
    }
    importBoxesFrom(pasteLog);
}

void BoxImportMenu::importBoxesFrom(const std::filesystem::path& file) {
    const taskdb::BoxImportOptions options{
        .order = store_.impOrder, .comma = store_.impSepar == 1, .header = store_.impHeader};
    taskdb::BoxImportResult result;
    {
        const taskdb::OperationFrame busy(dm_.operationView(),
                                          taskdb::OperationFrame::Options().busyCursor());
        result = taskdb::BoxImporter(dm_).importFile(file, options);
    }
    for (const std::string& report : result.reports) core::Dialogs::current().errorBox(report);
}

} // namespace rectix::app
