#include "app/AcknowledgementsWindow.h"

#include "app/Pictures.h"
#include "ui/DialogText.h"
#include "ui/FixedDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace rectix::app {

namespace {

QLabel* label(QWidget* parent, const char* name, QPoint at) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(at);
    return l;
}

void setText(QLabel* l, const char* text) {
    l->setText(ui::dialogText(text));
    l->adjustSize();
}

} // namespace

AcknowledgementsWindow::AcknowledgementsWindow(QWidget* owner) : QDialog(owner, ui::fixedDialogFlags) {
    setObjectName(QStringLiteral("AcknoForm"));
    setWindowTitle(QStringLiteral("Acknowledgements"));
    setFixedSize(347, 244);

    auto* picture = label(this, "Image1", {16, 60});
    picture->setPixmap(QPixmap::fromImage(Pictures::acknowledgements()));
    picture->adjustSize();

    QLabel* thanks = label(this, "Label1", {16, 14});
    QLabel* languages = label(this, "Label2", {132, 78});
    QLabel* names = label(this, "NamesLab", {196, 78});
    QLabel* invitation = label(this, "Label3", {132, 136});
    setText(thanks, "Many thanks go to the translators of the\rlocalized versions for their hard work:");
    setText(languages, "French:\r\rItalian:");
    setText(names, "Camille Laurent\r\rGiulia Ferraro");
    setText(invitation, "If you would like to add a translation\rin a new language, please contact:");
    invitation->hide();

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setGeometry(136, 204, 75, 25);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace rectix::app
