#include "ui/DialogText.h"

namespace rectix::ui {

QString dialogText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString dialogText(const char* text) {
    return dialogText(std::string(text));
}

} // namespace rectix::ui
