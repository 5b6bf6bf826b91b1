#include "ui/WrittenPdf.h"

#include <QByteArrayView>

#include <charconv>
#include <cstddef>
#include <limits>

namespace rectix::ui {

namespace {

void skipBlanks(QByteArrayView text, qsizetype& at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n')) ++at;
}

// Reads the decimal number at `at` (after blanks); false when there is none.
bool readNumber(QByteArrayView text, qsizetype& at, long long& number) {
    skipBlanks(text, at);
    const char* begin = text.data() + at;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), number);
    if (error != std::errc() || end == begin) return false;
    at += end - begin;
    return true;
}

bool startsAt(QByteArrayView text, qsizetype at, QByteArrayView word) {
    return at >= 0 && at <= text.size() && text.sliced(at).startsWith(word);
}

} // namespace

bool isWrittenPdf(const QByteArray& bytes) {
    const QByteArrayView text(bytes);
    if (!text.startsWith("%PDF-") || !text.trimmed().endsWith("%%EOF")) return false;
    qsizetype at = text.lastIndexOf(QByteArrayView("startxref"));
    long long xref = 0;
    if (at < 0 || !readNumber(text, at += 9, xref) || !startsAt(text, static_cast<qsizetype>(xref), "xref"))
        return false;
    at = static_cast<qsizetype>(xref) + 4;
    // Sections of "first count" and then `count` entries of 20 bytes: offset, generation, n or f.
    long long first = 0, count = 0;
    bool any = false;
    while (readNumber(text, at, first) && readNumber(text, at, count)) {
        skipBlanks(text, at);
        // The numbers are the file's: bounded before they take part in a sum or a product.
        if (count < 0 || count > (text.size() - at) / 20) return false;
        if (first < 0 || first > std::numeric_limits<long long>::max() - count) return false;
        for (long long i = 0; i < count; ++i, at += 20) {
            const QByteArrayView entry = text.sliced(at, 20);
            if (entry[17] != 'n') continue;
            long long offset = 0;
            qsizetype pos = 0;
            if (!readNumber(entry, pos, offset)) return false;
            const QByteArray object = QByteArray::number(first + i) + " 0 obj";
            if (!startsAt(text, static_cast<qsizetype>(offset), object)) return false;
            any = true;
        }
    }
    return any && startsAt(text, at, "trailer");
}

} // namespace rectix::ui
