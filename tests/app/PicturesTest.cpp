#include "app/Pictures.h"
#include "app/SplashScreen.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace rectix;

TEST(Pictures, TheShippedPicturesDecode) {
    EXPECT_EQ(app::Pictures::splash().size(), QSize(400, 300));
    EXPECT_FALSE(app::Pictures::acknowledgements().isNull());
    app::SplashScreen splash;
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(400, 300));
}
