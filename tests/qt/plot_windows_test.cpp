// The plots in the graphic window: each drawn by its plot dialog and replayed by the window
// whenever it paints, scaled whole into the window at every size, the boundary plot with
// simulated and imported paths, screenshots kept for a person to look at.
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <utility>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_page.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "graphics/sample_paths.hpp"
#include "samples/import_ids.hpp"
#include "samples/sample_files.hpp"
#include "samples/simulation_ids.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

// Pixels of one colour in a picture, as a rough measure of what is drawn in it.
int pixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

class PlotWindows : public Desktop {
  protected:
    void SetUp() override {
        Desktop::SetUp();
        whenShown(
            kInfoTimeDialog, [] {}, infotimes::kOk);
        click(kPanelDialog, panel::kGroupSizesButton);
        click(kPanelDialog, panel::kCoeffButton);
        click(kPanelDialog, panel::kSequentialDesignButton);
        click(kPanelDialog, panel::kGraphicWindow);
    }
    // Opens the plot with the menu command and, while its dialog is open, keeps a screenshot
    // of the graphic window.
    QImage plot(
        int command, int dialog, int cancel, const QString& name,
        const std::function<void()>& steps = [] {}) {
        QImage shot;
        whenShown(
            dialog,
            [&] {
                steps();
                QApplication::processEvents();
                shot = frame.graphicWindow()->grab().toImage();
                saveScreenshot(frame, name);
            },
            cancel);
        frame.action(command)->trigger();
        const auto shown = takeBoxes();
        EXPECT_TRUE(shown.empty()) << shown.front();
        return shot;
    }
    void simulateTenSets() {
        using namespace simulation;
        program.samples().fixedSeed = 2026;
        click(kPanelDialog, panel::kSimulatedSamples);
        for (int s = 0; s < 10; ++s) {
            type(kSimulationDialog, kMuCombo, QString::number(0.1 * s, 'f', 1));
            type(kSimulationDialog, kSizeCombo, QStringLiteral("25"));
            click(kSimulationDialog, kSelectSet);
        }
        click(kSimulationDialog, kSimulate);
        click(kSimulationDialog, kDone);
    }
};

// The columns of a picture that hold anything but white, from the first to the last.
std::pair<int, int> drawnColumns(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    return {first, last};
}

// At 1000 x 650 the title, the design block and the legend were cut off and a black
// rectangle covered the legend: each plot is its page scaled to the window, whole and
// centred, down to 800 x 500; and the sample paths stay inside the plot's frame.
TEST_F(PlotWindows, EachPlotFitsTheWindowAfterAResize) {
    simulateTenSets();
    struct Case {
        int command;
        int dialog;
        int cancel;
        const char* name;
    };
    for (const QSize size : {QSize(1000, 650), QSize(800, 500)}) {
        frame.resize(size + (frame.size() - frame.graphicWindow()->size()));
        ASSERT_EQ(frame.graphicWindow()->size(), size);
        for (const Case c :
             {Case{menu::kPlotBoundary, kPlotDialog, plotdesign::kCancel, "boundary"},
              Case{menu::kPlotPower, kPlotDialog, plotdesign::kCancel, "power"},
              Case{menu::kPlotExpectedSize, kPlotDialog, plotdesign::kCancel, "expected_size"},
              Case{menu::kPlotSimulated, kPlotSimulationsDialog, plotsimulations::kCancel,
                   "simulated_paths"}}) {
            const QString name = QStringLiteral("plot_%1_at_%2x%3")
                                     .arg(QString::fromLatin1(c.name))
                                     .arg(size.width())
                                     .arg(size.height());
            const QImage shot = plot(c.command, c.dialog, c.cancel, name, [&] {
                if (c.dialog != kPlotSimulationsDialog) return;
                click(kPlotSimulationsDialog, plotsimulations::kSaved);
                click(kPlotSimulationsDialog, plotsimulations::kRefresh);
            });
            // The page scaled by the window's width or height, whichever is tighter.
            const double scale = std::min(size.width() / 1500.0, size.height() / 800.0);
            const auto [first, last] = drawnColumns(shot);
            EXPECT_GT(first, 0) << name.toStdString();
            EXPECT_LT(last, size.width() - 1) << name.toStdString();
            EXPECT_GT(last - first, 0.5 * 1500 * scale) << name.toStdString();
            EXPECT_LT(pixelsOf(shot, qRgb(0, 0, 0)), size.width() * size.height() / 20)
                << name.toStdString();
            // Paths ran up through the title: right of the frame's left edge, none is drawn
            // above its top (page (460, 96) in the boundary plot).
            const PageFit fit = fitPage(size.width(), size.height());
            for (int y = 0; y < fit.offsetY + fit.scale * 96 - 1; ++y) {
                for (int x = static_cast<int>(fit.offsetX + fit.scale * 461); x < size.width();
                     ++x) {
                    const QRgb p = shot.pixel(x, y);
                    const bool path = qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
                    EXPECT_FALSE(path && c.dialog == kPlotSimulationsDialog) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(PlotWindows, TheThreePlotsAreDrawnAndStayAfterTheirDialogCloses) {
    const QRgb magenta = qRgb(255, 0, 255);
    const QImage boundary = plot(menu::kPlotBoundary, kPlotDialog, plotdesign::kCancel,
                                 QStringLiteral("plot_boundary"));
    EXPECT_GT(pixelsOf(boundary, magenta), 50);          // the upper boundary's bars
    EXPECT_GT(pixelsOf(boundary, qRgb(0, 0, 255)), 50);  // the lower boundary's bars
    const QImage power = plot(menu::kPlotPower, kPlotDialog, plotdesign::kCancel,
                              QStringLiteral("plot_power_function"));
    EXPECT_GT(pixelsOf(power, magenta), 100);  // the power curve
    const QImage expected = plot(menu::kPlotExpectedSize, kPlotDialog, plotdesign::kCancel,
                                 QStringLiteral("plot_expected_sample_size"));
    EXPECT_GT(pixelsOf(expected, magenta), 100);
    // Closed, the last picture stays: the window replays it when it paints again.
    frame.graphicWindow()->repaint();
    EXPECT_EQ(frame.graphicWindow()->grab().toImage(), expected);
    EXPECT_EQ(program.record().plotTag.str(), "expecsiz");
}

TEST_F(PlotWindows, BoundaryPlotWithTenSimulatedPaths) {
    simulateTenSets();
    const QImage shot = plot(menu::kPlotSimulated, kPlotSimulationsDialog, plotsimulations::kCancel,
                             QStringLiteral("plot_ten_simulated_paths"), [&] {
                                 click(kPlotSimulationsDialog, plotsimulations::kSaved);
                                 click(kPlotSimulationsDialog, plotsimulations::kRefresh);
                             });
    // With ten sets the first path is drawn in (218, 19, 23).
    EXPECT_GT(pixelsOf(shot, qRgb(pathColour(1).red, pathColour(1).green, pathColour(1).blue)), 20);
}

TEST_F(PlotWindows, BoundaryPlotWithImportedPaths) {
    simulateTenSets();
    const std::string file =
        (std::filesystem::temp_directory_path() / "qalix_plot_windows.txt").string();
    ASSERT_TRUE(SAVESIMU(program, file));
    program.record().importKind = "Simu";
    IMPORTSAMPLE(program, file);
    std::filesystem::remove(file);
    program.record().importAvailable = true;
    program.frame().setUpMode();  // the Plot menu follows the import, as at a mode switch
    const QImage shot = plot(menu::kPlotImported, kPlotImportedDialog, plotimported::kCancel,
                             QStringLiteral("plot_imported_paths"), [&] {
                                 click(kPlotImportedDialog, plotimported::kAll);
                                 click(kPlotImportedDialog, plotimported::kRefresh);
                             });
    EXPECT_GT(pixelsOf(shot, qRgb(pathColour(1).red, pathColour(1).green, pathColour(1).blue)), 20);
    EXPECT_EQ(program.record().sampleSource.str(), "Observ");
}

// Observed paths whose file gives no SD drew nothing under "All".
TEST_F(PlotWindows, ObservedPathsWithoutAnSdAreDrawnUnderAll) {
    program.record().importKind = "Observ";
    IMPORTSAMPLE(program, QALIX_SOURCE_DIR "/tests/samples/fixtures/observ_two_records.txt");
    ASSERT_TRUE(program.record().importReady);
    program.record().importAvailable = true;
    program.frame().setUpMode();
    const QImage shot = plot(menu::kPlotImported, kPlotImportedDialog, plotimported::kCancel,
                             QStringLiteral("plot_observed_paths_without_sd"), [&] {
                                 click(kPlotImportedDialog, plotimported::kAll);
                                 click(kPlotImportedDialog, plotimported::kRefresh);
                             });
    const Colour c = pathColour(1);
    EXPECT_GT(pixelsOf(shot, qRgb(c.red, c.green, c.blue)), 20);
}

}  // namespace
}  // namespace qalix::qt::testing
