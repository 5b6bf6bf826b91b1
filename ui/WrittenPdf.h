#pragma once

#include <QByteArray>

namespace rectix::ui {

// Whether `bytes` are a PDF file as the printer ends one: a cross-reference table that the end
// of the file points at, and every object it lists at the place it names. A write that failed
// anywhere (a full disk) leaves a file short of bytes, and one of these places wrong.
bool isWrittenPdf(const QByteArray& bytes);

} // namespace rectix::ui
