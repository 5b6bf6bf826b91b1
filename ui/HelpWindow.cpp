#include "ui/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rectix::ui {

namespace {

// A resource path ":/x" is the URL "qrc:/x"; a folder on disk is a file URL.
QUrl urlOf(const QString& path) {
    if (path.startsWith(QLatin1Char(':'))) return QUrl(QStringLiteral("qrc") + path);
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

} // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_->setObjectName(QStringLiteral("Browser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 460);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WindowShortcut);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QUrl HelpWindow::indexPage() const {
    return urlOf(folder_ + QStringLiteral("/index.html"));
}

QUrl HelpWindow::pageOf(int context) const {
    const QString path = folder_ + QStringLiteral("/context-%1.html").arg(context);
    return context > 0 && QFileInfo::exists(path) ? urlOf(path) : indexPage();
}

void HelpWindow::showContext(int context) {
    showPage(pageOf(context));
}

void HelpWindow::showIndex() {
    showPage(indexPage());
}

QUrl HelpWindow::page() const {
    return browser_->source();
}

void HelpWindow::showPage(const QUrl& url) {
    // Over a modal window (a dialog asking F1) the help must be modal too, or it takes no input.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" Help"));
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

} // namespace rectix::ui
