#include "ui/JpegDecoder.h"

#include <QBuffer>
#include <QColor>

#include <gtest/gtest.h>

using rectix::ui::JpegDecoder;
using rectix::ui::JpegError;

namespace {

// A 64 x 48 JPEG, left half red and right half blue.
QByteArray picture() {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 32; ++x) image.setPixelColor(x, y, Qt::red);
    QByteArray data;
    QBuffer out(&data);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "JPG", 95);
    return data;
}

std::string errorOf(const QByteArray& data) {
    try {
        JpegDecoder::decode(data);
    } catch (const JpegError& e) {
        return e.what();
    }
    return "decoded";
}

} // namespace

TEST(JpegDecoder, DecodesAPictureFromMemory) {
    const QByteArray data = picture();
    ASSERT_FALSE(data.isEmpty());
    const QImage image = JpegDecoder::decode(data);
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_GT(image.pixelColor(8, 24).red(), 230);
    EXPECT_LT(image.pixelColor(8, 24).blue(), 25);
    EXPECT_GT(image.pixelColor(56, 24).blue(), 230);
    EXPECT_LT(image.pixelColor(56, 24).red(), 25);
}

TEST(JpegDecoder, TheLibrarysErrorsBecomeErrorsWithItsMessage) {
    EXPECT_EQ(errorOf({}), "Empty input file");
    EXPECT_EQ(errorOf(QByteArray("GIF89a\0\0", 8)), "Not a JPEG file: starts with 0x47 0x49");
}

TEST(JpegDecoder, APictureCutShortIsAnErrorNotHalfAPicture) {
    const QByteArray data = picture();
    EXPECT_EQ(errorOf(data.left(data.size() * 2 / 3)), "Premature end of JPEG file");
    EXPECT_EQ(errorOf(data.left(data.size() - 2)), "Premature end of JPEG file"); // end marker gone
    EXPECT_NE(errorOf(data.left(4)), "decoded");
}
