// Dialogs whose size never changes offer no minimise or maximise and nothing to resize.
#include "SettingsWindowFixture.h"

#include "app/AboutWindow.h"
#include "app/AcknowledgementsWindow.h"
#include "ui/FixedDialog.h"
#include "ui/MessageWindow.h"

namespace {

void expectFixed(QDialog& dialog) {
    const std::string name = dialog.objectName().toStdString();
    dialog.show();
    QApplication::processEvents();
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_EQ(flags & rectix::ui::fixedDialogFlags, rectix::ui::fixedDialogFlags) << name;
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) << name;
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << name;
    EXPECT_EQ(dialog.size(), dialog.minimumSize()) << name;
    dialog.hide();
}

} // namespace

TEST_F(SettingsWindowTest, FixedSizeDialogsHaveATitleAndCloseButtonOnly) {
    rectix::app::AboutWindow about(main);
    rectix::app::AcknowledgementsWindow thanks(main);
    rectix::ui::MessageWindow message(QStringLiteral("Rectix"), rectix::ui::MessageWindow::Icon::Warning,
                                      QStringLiteral("Two\nlines"), rectix::core::DialogButton::Ok, main);
    message.setObjectName(QStringLiteral("Message"));
    for (QDialog* d : std::initializer_list<QDialog*>{&about, &thanks, &message, settings}) expectFixed(*d);
}
