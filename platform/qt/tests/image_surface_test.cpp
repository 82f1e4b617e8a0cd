#include "platform/qt/image_surface.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "platform/qt/testing/test_app.h"

namespace platform_qt {
namespace {

using platform::rgb;

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

// 100 x 60 pixels at 96 DPI, white.
class WhiteSurface : public ::testing::Test {
 protected:
  WhiteSurface() {
    surface.set_back_colour(platform::kWhite);
    surface.clear();
  }
  bool started = (testing::app(), true);
  QImageSurface surface{1500, 900};
};

QColor pixel(const QImageSurface& surface, int x, int y) {
  return surface.image().pixelColor(x, y);
}

int count_not(const QImage& image, const QColor& colour, QRect area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += image.pixelColor(x, y) != colour;
  }
  return count;
}

TEST(QImageSurface, TwipsBecomePixelsByTheDpi) {
  testing::app();
  QImageSurface normal(1500, 900);
  EXPECT_EQ(normal.image().size(), QSize(100, 60));
  QImageSurface sharp(1500, 900, 192);
  EXPECT_EQ(sharp.image().size(), QSize(200, 120));
  EXPECT_DOUBLE_EQ(normal.width(), 1500);
  EXPECT_DOUBLE_EQ(sharp.to_twips(2), 15);
}

TEST_F(WhiteSurface, ClearFillsWithTheBackColourAndResolvesSystemColours) {
  EXPECT_EQ(pixel(surface, 0, 0), kWhite);
  surface.set_back_colour(platform::kButtonFace);
  surface.clear();
  const platform::Colour face = platform::resolve_colour(platform::kButtonFace);
  EXPECT_EQ(pixel(surface, 99, 59),
            QColor(platform::red_of(face), platform::green_of(face), platform::blue_of(face)));
  surface.set_back_colour(rgb(0, 0, 255));  // 0x00BBGGRR: blue in the high byte
  surface.clear();
  EXPECT_EQ(pixel(surface, 50, 30), QColor(0, 0, 255));
}

TEST_F(WhiteSurface, LineLandsOnThePixelsOfItsTwips) {
  surface.line(150, 300, 1350, 300, rgb(255, 0, 0));
  EXPECT_EQ(pixel(surface, 10, 20), kRed);
  EXPECT_EQ(pixel(surface, 50, 20), kRed);
  EXPECT_EQ(pixel(surface, 89, 20), kRed);
  EXPECT_EQ(pixel(surface, 50, 19), kWhite);
  EXPECT_EQ(pixel(surface, 50, 21), kWhite);
  EXPECT_EQ(pixel(surface, 8, 20), kWhite);
  EXPECT_EQ(pixel(surface, 92, 20), kWhite);
}

TEST_F(WhiteSurface, LineWithoutColourUsesTheForeColourAndThePen) {
  surface.set_fore_colour(rgb(0, 128, 0));
  surface.set_pen_width(3);
  surface.line(0, 450, 1500, 450);
  EXPECT_EQ(pixel(surface, 50, 29), QColor(0, 128, 0));
  EXPECT_EQ(pixel(surface, 50, 30), QColor(0, 128, 0));
  EXPECT_EQ(pixel(surface, 50, 31), QColor(0, 128, 0));
  EXPECT_EQ(pixel(surface, 50, 33), kWhite);

  surface.clear();
  surface.set_pen_width(1);
  surface.set_pen_style(platform::PenStyle::Dotted);
  surface.line(0, 150, 1500, 150);
  const int inked = count_not(surface.image(), kWhite, QRect(0, 10, 100, 1));
  EXPECT_GT(inked, 10);
  EXPECT_LT(inked, 90);  // gaps between the dots
}

TEST_F(WhiteSurface, SteepWideAndDottedLinesCoverTheirPixels) {
  surface.set_pen_width(2);
  surface.line(150, 150, 300, 750, rgb(255, 0, 0));  // (10,10) to (20,50): steep
  const QImage& image = surface.image();
  for (int y = 10; y <= 50; ++y) {
    int inked = 0;
    for (int x = 0; x < 100; ++x) inked += image.pixelColor(x, y) == kRed;
    EXPECT_EQ(inked, 2) << "row " << y;  // two pixels wide on every row
  }
  surface.clear();
  surface.set_pen_width(1);
  surface.set_pen_style(platform::PenStyle::Dotted);
  surface.line(750, 0, 750, 900, rgb(255, 0, 0));
  EXPECT_EQ(count_not(surface.image(), kWhite, QRect(50, 0, 1, 60)), 30);
}

TEST_F(WhiteSurface, LinesOutsideThePictureAreClippedSafely) {
  surface.line(-1e12, 300, 1e12, 300, rgb(255, 0, 0));
  EXPECT_EQ(pixel(surface, 0, 20), kRed);
  EXPECT_EQ(pixel(surface, 99, 20), kRed);
  surface.line(-3000, -3000, -1500, -1500, rgb(0, 0, 255));
  surface.line(0, 0, std::nan(""), 900, rgb(0, 0, 255));
  surface.line(0, 0, 1e300, 1e300, rgb(0, 255, 0));  // the diagonal, clipped
  EXPECT_EQ(pixel(surface, 30, 30), QColor(0, 255, 0));
  EXPECT_EQ(count_not(surface.image(), kWhite, QRect(0, 0, 100, 60)),
            100 + 60 - 1);  // they cross once
}

TEST(QImageSurface, ScaledScreensGetSharperPicturesOfTheSameLogicalSize) {
  testing::app();
  QImageSurface surface(1500, 900, 96, 2.0);
  surface.set_back_colour(platform::kWhite);
  surface.clear();
  EXPECT_EQ(surface.image().size(), QSize(200, 120));
  EXPECT_EQ(surface.image().deviceIndependentSize(), QSizeF(100, 60));
  surface.line(0, 150, 1500, 150, rgb(255, 0, 0));  // one logical pixel is two device pixels
  EXPECT_EQ(surface.image().pixelColor(50, 20), kRed);
  EXPECT_EQ(surface.image().pixelColor(50, 21), kRed);
  EXPECT_EQ(surface.image().pixelColor(50, 22), kWhite);
  const double width = surface.text_width("Average");
  QImageSurface plain(1500, 900);
  EXPECT_NEAR(width, plain.text_width("Average"), 15);
}

TEST_F(WhiteSurface, TextIsDrawnBelowAndRightOfItsTopLeftCorner) {
  surface.set_font_size(12);
  surface.print_text(300, 300, "MW");
  const QImage& image = surface.image();
  EXPECT_EQ(count_not(image, kWhite, QRect(0, 0, 100, 20)), 0);    // nothing above y
  EXPECT_EQ(count_not(image, kWhite, QRect(0, 0, 19, 60)), 0);     // nothing left of x
  EXPECT_GT(count_not(image, kWhite, QRect(20, 20, 60, 20)), 20);  // the letters
}

TEST_F(WhiteSurface, TextWidthGrowsWithTextSizeAndWeight) {
  surface.set_font_size(8);
  const double one = surface.text_width("A");
  const double word = surface.text_width("Average");
  EXPECT_GT(one, 0);
  EXPECT_GT(word, one);
  EXPECT_DOUBLE_EQ(surface.text_width(""), 0);
  surface.set_font_bold(true);
  EXPECT_GT(surface.text_width("Average"), word);
  surface.set_font_bold(false);
  surface.set_font_size(16);
  EXPECT_NEAR(surface.text_width("Average"), 2 * word, word * 0.25);
}

TEST_F(WhiteSurface, ResizeKeepsThePictureAndFillsTheNewArea) {
  surface.line(150, 300, 1350, 300, rgb(255, 0, 0));
  surface.set_back_colour(rgb(0, 0, 255));
  surface.resize(3000, 1500);
  EXPECT_EQ(surface.image().size(), QSize(200, 100));
  EXPECT_EQ(pixel(surface, 50, 20), kRed);
  EXPECT_EQ(pixel(surface, 60, 40), kWhite);              // old background kept
  EXPECT_EQ(pixel(surface, 150, 80), QColor(0, 0, 255));  // new area
  surface.resize(750, 450);
  EXPECT_EQ(surface.image().size(), QSize(50, 30));
  EXPECT_EQ(pixel(surface, 40, 20), kRed);
}

// A surface nothing was drawn on yet resizes as one that was: the old area keeps the colour it
// was made in, new room takes the back colour of the moment.
TEST_F(WhiteSurface, AnUntouchedSurfaceResizesAsADrawnOneDoes) {
  surface.set_back_colour(rgb(0, 0, 255));
  surface.resize(750, 450);  // smaller: still all white
  surface.resize(3000, 1500);
  EXPECT_EQ(surface.image().size(), QSize(200, 100));
  EXPECT_EQ(pixel(surface, 10, 10), kWhite);
  EXPECT_EQ(pixel(surface, 150, 80), QColor(0, 0, 255));

  QImageSurface fresh(1500, 900);
  fresh.set_back_colour(rgb(0, 255, 0));
  fresh.clear();
  fresh.resize(3000, 1500);
  EXPECT_EQ(fresh.image().pixelColor(10, 10), QColor(0, 255, 0));
  EXPECT_EQ(fresh.image().pixelColor(150, 80), QColor(0, 255, 0));
  EXPECT_GT(fresh.text_width("Average"), 0);
}

TEST_F(WhiteSurface, SavedBitmapReadsBackAsDrawn) {
  surface.line(150, 300, 1350, 300, rgb(255, 0, 0));
  QTemporaryDir folder;
  const QString path = folder.filePath("chart.BMP");
  ASSERT_TRUE(surface.save_bmp(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
  const QImage back(path, "BMP");
  ASSERT_EQ(back.size(), QSize(100, 60));
  EXPECT_EQ(back.pixelColor(50, 20), kRed);
  EXPECT_EQ(back.pixelColor(50, 40), kWhite);
  // Nothing but the bitmap is left in the folder.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"chart.BMP"});
}

TEST_F(WhiteSurface, SaveIntoAMissingFolderFails) {
  QTemporaryDir folder;
  EXPECT_FALSE(surface.save_bmp(folder.filePath("no/such/folder/chart.BMP")));
}

TEST_F(WhiteSurface, DrawingContinuesAfterTheImageWasRead) {
  surface.line(0, 150, 1500, 150, rgb(255, 0, 0));
  const QImage before = surface.image();  // a copy that must not change
  surface.line(0, 600, 1500, 600, rgb(255, 0, 0));
  EXPECT_EQ(before.pixelColor(50, 40), kWhite);
  EXPECT_EQ(pixel(surface, 50, 40), kRed);
  EXPECT_EQ(pixel(surface, 50, 10), kRed);
}

}  // namespace
}  // namespace platform_qt
