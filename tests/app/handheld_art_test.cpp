#include "app/handheld_art.h"

#include <QImage>
#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(HandheldPicture, ScreenSquareIsExactlyTheScreenGreenUpToItsEdges) {
    const QImage img = handheldPicture().toImage();
    EXPECT_EQ(img.size(), QSize(425, 438));
    const QRgb green = qRgb(222, 255, 222) & 0xFFFFFF;
    int wrong = 0;
    for (int y = 44; y <= 203; ++y)
        for (int x = 89; x <= 248; ++x)
            wrong += (img.pixel(x, y) & 0xFFFFFF) != green;
    EXPECT_EQ(wrong, 0);
    for (QPoint outside : {QPoint(88, 44), QPoint(89, 43), QPoint(249, 203), QPoint(248, 204),
                           QPoint(88, 203), QPoint(249, 44)})
        EXPECT_NE(img.pixel(outside) & 0xFFFFFF, green) << outside.x() << "," << outside.y();
}

TEST(ButtonPictures, HaveTheRequestedSizesAndDiffer) {
    EXPECT_EQ(buttonPicture(QStringLiteral("Open"), 38).size(), QSize(38, 38));
    EXPECT_EQ(arrowPicture(true, 14).size(), QSize(14, 14));
    EXPECT_NE(arrowPicture(true, 14).toImage(), arrowPicture(false, 14).toImage());
    EXPECT_NE(buttonPicture(QStringLiteral("Open"), 38).toImage(),
              buttonPicture(QStringLiteral("Save"), 38).toImage());
}

} // namespace
} // namespace tarvo
