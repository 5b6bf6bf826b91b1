#pragma once

#include <QImage>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

// A printed PDF file read back with poppler's tools.
namespace pdf {

inline std::string runTool(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// The text with the typographic ligatures (U+FB00 to U+FB06) spelt out: a face that has them
// prints "Offcuts" with one glyph for "ff", and the tool reads that glyph back as the ligature.
inline std::string unligated(const std::string& text) {
    static const char* const letters[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        if (i + 2 < text.size() && byte(i) == 0xEF && byte(i + 1) == 0xAC && byte(i + 2) >= 0x80 &&
            byte(i + 2) <= 0x86) {
            out += letters[byte(i + 2) - 0x80];
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text of each page, in its layout.
inline std::vector<std::string> pages(const QString& file) {
    const std::string text = runTool("pdftotext -layout '" + file.toStdString() + "' - 2>/dev/null");
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        result.push_back(unligated(text.substr(start, ff - start)));
    return result;
}

// pdfinfo's lines for every page.
inline std::string info(const QString& file) {
    return runTool("pdfinfo -f 1 -l 99 '" + file.toStdString() + "' 2>/dev/null");
}

// Page `page` (from 1) at `dpi` dots per inch.
inline QImage render(const QString& file, int page, int dpi = 72) {
    const QString stem = file + QStringLiteral(".page");
    runTool("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
            std::to_string(page) + " -png -singlefile '" + file.toStdString() + "' '" + stem.toStdString() +
            "'");
    return QImage(stem + QStringLiteral(".png"));
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The text with each run of blanks made one blank: the tool spaces a line's words by their places.
inline std::string flat(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == ' ' && !out.empty() && out.back() == ' ') continue;
        out += ch;
    }
    return out;
}

} // namespace pdf
