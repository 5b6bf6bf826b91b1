#include "app/Pictures.h"
#include "app/Splash.h"
#include "ui/JpegDecoder.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

using namespace rectix;

TEST(Pictures, TheShippedPicturesDecode) {
    EXPECT_EQ(app::Pictures::splash().size(), QSize(400, 300));
    EXPECT_FALSE(app::Pictures::acknowledgements().isNull());

    app::TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(404, 304));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(400, 300));
}

TEST(Pictures, ATruncatedSplashIsAnError) {
    QFile file(QStringLiteral(":/pictures/splash.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    EXPECT_THROW(ui::JpegDecoder::decode(whole.left(whole.size() / 2)), ui::JpegError);
    EXPECT_THROW(ui::JpegDecoder::decode(whole.left(whole.size() - 2)), ui::JpegError); // end marker gone
}
