// The installed command line's pictures: "qalix plot" run as a user runs it, with no display,
// writes SVG, PDF and PNG files that other readers open and that show the plot, with numbers
// written the program's way whatever the user's locale; and its metafiles, which another
// program's reader turns into pictures that show the plot as well.
#include <sys/resource.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstring>

#include "desktop.hpp"

namespace qalix::qt::testing {
namespace {

struct Finished {
    int status;
    QString err;
};

bool writeFile(const QString& name, const char* text) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(text) == qint64(std::strlen(text));
}

// Runs qalix without a display, as a script on a server would; with a file size limit, as
// `ulimit -f` sets one with SIGXFSZ ignored, when one is given.
Finished runQalix(const QStringList& args, const QString& locale = QStringLiteral("C.UTF-8"),
                  int fileSizeLimit = 0) {
    QProcess process;
    if (fileSizeLimit > 0) {
        process.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = static_cast<rlim_t>(fileSizeLimit);
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QALIX_CLI_PATH), args);
    if (!process.waitForFinished(60000)) return {-1, QStringLiteral("did not finish")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// Share of the image's pixels that are not white.
double inkShare(const QImage& image) {
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) ++ink;
        }
    }
    return static_cast<double>(ink) / (static_cast<double>(image.width()) * image.height());
}

QByteArray contentOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CliPictures : public ::testing::Test {
  protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QTemporaryDir folder;
};

TEST_F(CliPictures, SvgOfTheBoundaryPlotWithoutADisplayAndWithoutNoise) {
    const QString file = path("boundary.svg");
    const Finished r = runQalix(
        {QStringLiteral("plot"), QStringLiteral("boundary"), QStringLiteral("--out"), file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    QSvgRenderer svg(file);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF().size(), QSizeF(1500, 800));
    QImage image(750, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    EXPECT_GT(inkShare(image), 0.01);
    EXPECT_TRUE(contentOf(file).contains("QALIX DESIGN AND BOUNDARIES"));
}

TEST_F(CliPictures, PngHasTheWindowSizeGiven) {
    const QString file = path("power.png");
    const Finished r =
        runQalix({QStringLiteral("plot"), QStringLiteral("power"), QStringLiteral("--width"),
                  QStringLiteral("640"), QStringLiteral("--height"), QStringLiteral("480"),
                  QStringLiteral("--out"), file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_GT(inkShare(image), 0.01);
}

TEST_F(CliPictures, NumbersKeepTheirPointUnderAGermanLocale) {
    const QString file = path("expected.svg");
    const Finished r = runQalix(
        {QStringLiteral("plot"), QStringLiteral("expected"), QStringLiteral("--out"), file},
        QStringLiteral("de_DE.UTF-8"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray content = contentOf(file);
    EXPECT_TRUE(content.contains("alpha = 0.050")) << content.left(2000).toStdString();
    EXPECT_FALSE(content.contains("alpha = 0,050"));
}

TEST_F(CliPictures, PdfIsOnePageThatPopplerRenders) {
    const QString file = path("boundary.pdf");
    const Finished r = runQalix(
        {QStringLiteral("plot"), QStringLiteral("boundary"), QStringLiteral("--out"), file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(contentOf(file).startsWith("%PDF"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                            QStringLiteral("-singlefile"), file, path("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0);
    const QImage page(path("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(inkShare(page), 0.005);
}

// The design report as a PDF: pages of the paper asked for, a 16-look design over several of
// them, the plots as vectors (no image in the file).
TEST_F(CliPictures, ReportPdfIsPaginatedOnThePaperAskedFor) {
    const struct {
        const char* paper;
        const char* mediaBox;
    } papers[] = {{"a4", "/MediaBox [0 0 595.000000 842.000000]"},
                  {"letter", "/MediaBox [0 0 612.000000 792.000000]"}};
    for (const auto& p : papers) {
        const QString file = path("report.pdf");
        const Finished r = runQalix({QStringLiteral("report"), QStringLiteral("--looks"),
                                     QStringLiteral("16"), QStringLiteral("--paper"),
                                     QString::fromLatin1(p.paper), QStringLiteral("--out"), file});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QByteArray pdf = contentOf(file);
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_TRUE(pdf.contains(p.mediaBox)) << p.paper;
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(pdf));
        ASSERT_TRUE(pages.hasMatch());
        EXPECT_GE(pages.captured(1).toInt(), 4) << p.paper;
        EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "plots drawn as pictures, not vectors";
    }
}

// Saves that cannot be made, in every picture format: the run says so in one line on
// standard error with status 1, and every file that was there is byte-identical afterwards.
// A full disk once gave status 0 and a cut-off SVG; a link planted under the old temporary
// name once made the picture overwrite the file it pointed to.
TEST_F(CliPictures, ASaveThatCannotBeMadeSaysSoAndLeavesEveryFileAsItWas) {
    for (const char* extension : {"svg", "pdf", "png"}) {
        SCOPED_TRACE(extension);
        const QString name = QStringLiteral("boundary.") + QString::fromLatin1(extension);
        const QString file = folder.filePath(name);
        const auto plot = [&](const QString& out, int fileSizeLimit) {
            return runQalix(
                {QStringLiteral("plot"), QStringLiteral("boundary"), QStringLiteral("--out"), out},
                QStringLiteral("C.UTF-8"), fileSizeLimit);
        };
        // A disk that is full after 2 KiB.
        QFile(file).remove();
        ASSERT_TRUE(writeFile(file, "keep\n"));
        Finished full = plot(file, 2048);
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(
            full.err,
            QStringLiteral("Error: Cannot save the picture: %1: File too large.\n").arg(file));
        EXPECT_EQ(contentOf(file), QByteArray("keep\n"));
        // A link under the name the temporary file once had.
        const QString victim = folder.filePath(QStringLiteral("victim.txt"));
        ASSERT_TRUE(writeFile(victim, "victim\n"));
        QFile::link(victim, folder.filePath(QStringLiteral(".qalix-tmp-") + name));
        QFile(file).remove();
        EXPECT_EQ(plot(file, 0).status, 0);
        EXPECT_EQ(contentOf(victim), QByteArray("victim\n"));
        EXPECT_FALSE(QFileInfo(file).isSymLink());
        // A folder that does not exist.
        const QString missing = folder.filePath(QStringLiteral("no/such/") + name);
        Finished none = plot(missing, 0);
        EXPECT_EQ(none.status, 1);
        EXPECT_TRUE(none.err.startsWith(QStringLiteral("Error: Cannot save the picture: ")))
            << none.err.toStdString();
        EXPECT_FALSE(QFile::exists(missing));
    }
    QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral(".qalix-tmp-boundary.pdf"),
                                  QStringLiteral(".qalix-tmp-boundary.png"),
                                  QStringLiteral(".qalix-tmp-boundary.svg"),
                                  QStringLiteral("boundary.pdf"), QStringLiteral("boundary.png"),
                                  QStringLiteral("boundary.svg"), QStringLiteral("victim.txt")}));
}

struct ReaderCase {
    const char* name;
    QStringList args;
    const char* title;
};

class MetafileReader : public ::testing::TestWithParam<ReaderCase> {
  protected:
    QTemporaryDir folder;
};

// The picture as it shows on white paper, where its background is transparent.
QImage overWhite(const QImage& picture) {
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, picture);
    painter.end();
    return image;
}

// The smallest rectangle that holds every pixel that is not (nearly) white.
QRect inkBounds(const QImage& picture) {
    const QImage image = overWhite(picture);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::min({c.red(), c.green(), c.blue()}) < 200) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Each export turned into a PNG by Inkscape, another program's metafile reader, shows the
// plot where the program's own picture of the same plot has it: a reader that misplaced the
// picture, or a file it could not read, would not. The PNGs are kept for a person to look at.
TEST_P(MetafileReader, AnotherProgramDrawsTheExportAsTheProgramDoes) {
    const ReaderCase& c = GetParam();
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("inkscape"));
    if (reader.isEmpty()) GTEST_SKIP() << "inkscape is not installed";
    const QString emf = folder.filePath(QStringLiteral("plot.emf"));
    const QString own = folder.filePath(QStringLiteral("own.png"));
    const QString png = screenshotPath(QStringLiteral("emf_reader_%1").arg(c.name));
    QFile::remove(png);
    ASSERT_EQ(runQalix(c.args + QStringList{QStringLiteral("--out"), emf}).status, 0);
    ASSERT_EQ(runQalix(c.args + QStringList{QStringLiteral("--out"), own}).status, 0);
    const QString title = QString::fromLatin1(c.title);  // texts are UTF-16 in a metafile
    EXPECT_TRUE(contentOf(emf).contains(
        QByteArray(reinterpret_cast<const char*>(title.utf16()), title.size() * 2)));

    QProcess convert;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), folder.path());  // its preferences stay in the folder
    convert.setProcessEnvironment(env);
    convert.start(reader, {QStringLiteral("--export-type=png"),
                           QStringLiteral("--export-filename=") + png, emf});
    ASSERT_TRUE(convert.waitForFinished(120000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();

    const QImage theirs(png);
    ASSERT_FALSE(theirs.isNull());
    EXPECT_NEAR(theirs.width(), 1500, 1);
    EXPECT_NEAR(theirs.height(), 800, 1);
    const QRect ink = inkBounds(theirs), expected = inkBounds(QImage(own));
    ASSERT_FALSE(expected.isEmpty());
    // Within a few pixels: the faces the two draw the texts in differ a little.
    constexpr int kSlack = 8;
    EXPECT_NEAR(ink.left(), expected.left(), kSlack);
    EXPECT_NEAR(ink.top(), expected.top(), kSlack);
    EXPECT_NEAR(ink.right(), expected.right(), kSlack);
    EXPECT_NEAR(ink.bottom(), expected.bottom(), kSlack);
    EXPECT_GT(inkShare(overWhite(theirs)), 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, MetafileReader,
    ::testing::Values(
        ReaderCase{"boundary",
                   {QStringLiteral("plot"), QStringLiteral("boundary")},
                   "QALIX DESIGN AND BOUNDARIES"},
        ReaderCase{"boundary_paths",
                   {QStringLiteral("plot"), QStringLiteral("boundary"), QStringLiteral("--set"),
                    QStringLiteral("mu=0.5,n=25"), QStringLiteral("--set"),
                    QStringLiteral("mu=0,n=25"), QStringLiteral("--seed"), QStringLiteral("7"),
                    QStringLiteral("--paths"), QStringLiteral("saved")},
                   "Sample Paths"},
        ReaderCase{"power", {QStringLiteral("plot"), QStringLiteral("power")}, "POWER FUNCTION"},
        ReaderCase{"expected",
                   {QStringLiteral("plot"), QStringLiteral("expected")},
                   "EXPECTED INFORMATION TIME OR SAMPLE SIZE"}),
    [](const ::testing::TestParamInfo<ReaderCase>& p) { return p.param.name; });

}  // namespace
}  // namespace qalix::qt::testing
