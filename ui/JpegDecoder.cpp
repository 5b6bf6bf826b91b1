#include "ui/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <limits>

#include <jpeglib.h>

namespace rectix::ui {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// The library's error exit: keeps its message and returns to the step that was running.
[[noreturn]] void fail(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, err->message);
    std::longjmp(err->jump, 1);
}

// A warning means damaged data (a picture cut short, corrupt segments): it fails like an error.
void message(j_common_ptr info, int level) {
    if (level < 0) fail(info);
}

struct Job {
    jpeg_decompress_struct* info;
    const unsigned char* data;
    unsigned long size;
    JSAMPROW row;
};

// Runs one library call. The error exit jumps back here, so nothing with a destructor may live
// in this frame or in the call's.
bool step(ErrorManager& err, void (*call)(Job&), Job& job) {
    if (setjmp(err.jump) != 0) return false;
    call(job);
    return true;
}

// Owns the decompressor, so that it is destroyed on every path.
struct Decompressor {
    jpeg_decompress_struct info{};
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

} // namespace

QImage JpegDecoder::decode(const unsigned char* data, std::size_t size) {
    if (size > std::numeric_limits<unsigned long>::max()) throw JpegError("JPEG data too large");
    ErrorManager err{};
    Decompressor d;
    d.info.err = jpeg_std_error(&err.base);
    err.base.error_exit = fail;
    err.base.emit_message = message;
    Job job{&d.info, data, static_cast<unsigned long>(size), nullptr};

    const auto run = [&](void (*call)(Job&)) {
        if (!step(err, call, job)) throw JpegError(err.message);
    };
    run([](Job& j) { jpeg_create_decompress(j.info); });
    run([](Job& j) { jpeg_mem_src(j.info, j.data, j.size); });
    run([](Job& j) { jpeg_read_header(j.info, TRUE); });
    d.info.out_color_space = JCS_RGB;
    run([](Job& j) { jpeg_start_decompress(j.info); });
    if (d.info.output_components != 3) throw JpegError("Unsupported JPEG colour layout");

    QImage image(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                 QImage::Format_RGB888);
    if (image.isNull()) throw JpegError("JPEG picture too large");
    while (d.info.output_scanline < d.info.output_height) {
        job.row = image.scanLine(static_cast<int>(d.info.output_scanline));
        run([](Job& j) { jpeg_read_scanlines(j.info, &j.row, 1); });
    }
    run([](Job& j) { jpeg_finish_decompress(j.info); });
    return image;
}

QImage JpegDecoder::decode(const QByteArray& data) {
    return decode(reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<std::size_t>(data.size()));
}

} // namespace rectix::ui
