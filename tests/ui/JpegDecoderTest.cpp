#include "ui/JpegDecoder.h"

#include <QColor>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

using rectix::ui::JpegDecoder;
using rectix::ui::JpegError;

namespace {

// A JPEG of the given size, left half red and right half blue, made with the library's encoder.
std::vector<unsigned char> encode(int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x) {
        const bool left = x < width / 2;
        row[x * 3] = left ? 255 : 0;
        row[x * 3 + 1] = 0;
        row[x * 3 + 2] = left ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> data(out, out + size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return data;
}

std::string errorOf(const std::vector<unsigned char>& data) {
    try {
        JpegDecoder::decode(data.data(), data.size());
    } catch (const JpegError& e) {
        return e.what();
    }
    return "decoded";
}

} // namespace

TEST(JpegDecoder, DecodesAPictureFromMemory) {
    const auto data = encode(64, 48);
    const QImage image = JpegDecoder::decode(data.data(), data.size());
    ASSERT_EQ(image.size(), QSize(64, 48));
    const QColor left = image.pixelColor(8, 24);
    const QColor right = image.pixelColor(56, 24);
    EXPECT_GT(left.red(), 230);
    EXPECT_LT(left.blue(), 25);
    EXPECT_GT(right.blue(), 230);
    EXPECT_LT(right.red(), 25);
}

TEST(JpegDecoder, TheLibrarysErrorsBecomeErrorsWithItsMessage) {
    EXPECT_EQ(errorOf({}), "Empty input file");
    EXPECT_EQ(errorOf({'G', 'I', 'F', '8', '9', 'a', 0, 0}), "Not a JPEG file: starts with 0x47 0x49");
}

TEST(JpegDecoder, APictureCutShortIsAnErrorNotHalfAPicture) {
    auto data = encode(64, 48);
    data.resize(data.size() * 2 / 3);
    EXPECT_EQ(errorOf(data), "Premature end of JPEG file");
    data.resize(4); // the header itself cut short
    EXPECT_NE(errorOf(data), "decoded");
}
