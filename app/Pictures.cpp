#include "app/Pictures.h"

#include "ui/JpegDecoder.h"

#include <QFile>

namespace rectix::app {

namespace {

QImage decodeResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw ui::JpegError("Picture not found: " + path.toStdString());
    return ui::JpegDecoder::decode(file.readAll());
}

} // namespace

QImage Pictures::splash() {
    return decodeResource(QStringLiteral(":/pictures/splash.jpg"));
}

QImage Pictures::acknowledgements() {
    return decodeResource(QStringLiteral(":/pictures/ackno.jpg"));
}

} // namespace rectix::app
