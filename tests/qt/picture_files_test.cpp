// Picture files of a drawing: SVG that Qt's SVG module reads back, a one-page PDF that
// poppler renders, a PNG of the size asked for; refused names and folders leave nothing.
#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <cstdlib>
#include <filesystem>

#include "desktop.hpp"
#include "canvas/sample_drawing.hpp"
#include "platform/qt/picture_files.hpp"

namespace qalix::qt::testing {
namespace {

namespace fs = std::filesystem;

const auto kSample = [](Canvas& canvas) { qalix::test::drawSample(canvas, 1, 1); };

std::string picturePath(const char* name) {
    return screenshotPath(QString::fromLatin1(name)).replace(".png", "").toStdString();
}

TEST(PictureFiles, SvgIsReadBackByQtsSvgModuleAtItsSize) {
    const std::string file = picturePath("picture_sample") + ".svg";
    std::string reason;
    ASSERT_TRUE(savePictureFile(file, 800, 600, kSample, reason)) << reason;
    QSvgRenderer svg(QString::fromStdString(file));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF().size(), QSizeF(800, 600));  // in the drawing's device units
    QFile text(QString::fromStdString(file));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray content = text.readAll();
    EXPECT_TRUE(content.contains("1. Sig-level:  alpha = 0.0500"));  // text stays text
    EXPECT_TRUE(content.contains("<path") || content.contains("<polyline"));
}

// The drawing is a plot page of 1500 by 800, scaled whole into the picture and centred: at
// 300 by 200 a fragment of the plot was drawn.
TEST(PictureFiles, PngHasTheSizeAskedForAndThePageScaledOntoIt) {
    const std::string file = picturePath("picture_sample") + ".png";
    std::string reason;
    ASSERT_TRUE(savePictureFile(file, 640, 480, kSample, reason)) << reason;
    const QImage image(QString::fromStdString(file));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 480));
    // Scale 640 / 1500, the page 341 high centred 69 from the top. The solid black line from
    // the origin (380, 342) to (930, -18) crosses page x = 400 at y = 342 - 20 * 360 / 550,
    // about 329: picture (171, 210).
    const double scale = 640.0 / 1500.0;
    const double top = (480 - 800 * scale) / 2;
    const int x = static_cast<int>(400 * scale);
    const int y = static_cast<int>(top + 328.9 * scale);
    int dark = 0;
    for (int dy = -3; dy <= 3; ++dy)
        dark += qGray(image.pixel(x, y + dy)) < 128;
    EXPECT_GT(dark, 0);
    EXPECT_EQ(image.pixel(5, 470), qRgb(255, 255, 255));  // the white background
}

TEST(PictureFiles, PdfIsOnePageThatPopplerRenders) {
    const std::string file = picturePath("picture_sample") + ".pdf";
    std::string reason;
    ASSERT_TRUE(savePictureFile(file, 800, 600, kSample, reason)) << reason;
    EXPECT_GT(fs::file_size(file), 500u);
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed";
    const std::string out = picturePath("picture_sample_pdf");
    const std::string render = "pdftoppm -r 96 -png -singlefile '" + file + "' '" + out + "'";
    ASSERT_EQ(std::system(render.c_str()), 0);
    const QImage page(QString::fromStdString(out + ".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 800, 2);
    EXPECT_NEAR(page.height(), 600, 2);
}

TEST(PictureFiles, UnknownTypesAndUnwritableFoldersAreRefusedLeavingNothing) {
    std::string reason;
    EXPECT_FALSE(savePictureFile(picturePath("picture_sample") + ".bmp", 10, 10, kSample, reason));
    EXPECT_NE(reason.find(".svg"), std::string::npos);
    const fs::path missing = fs::temp_directory_path() / "qalix-no-such-folder" / "plot.png";
    EXPECT_FALSE(savePictureFile(missing.string(), 10, 10, kSample, reason));
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    EXPECT_FALSE(savePictureFile(picturePath("picture_sample") + ".png", 0, 10, kSample, reason));
}

}  // namespace
}  // namespace qalix::qt::testing
