// The plots in the graphic window at its default size: each drawn by its plot dialog and
// replayed by the window whenever it paints, the boundary plot with ten simulated paths and
// with imported paths, screenshots kept for a person to look at.
#include <QImage>
#include <filesystem>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/import_ids.hpp"
#include "samples/sample_files.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/menu_ids.hpp"

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

TEST_F(PlotWindows, TheClientAreaIsTheDefaultOne) {
    EXPECT_EQ(frame.graphicWindow()->size(), QSize(kDefaultClientWidth, kDefaultClientHeight));
    const Rect client = program.frame().clientRect();
    EXPECT_EQ(client.width(), kDefaultClientWidth);
    EXPECT_EQ(client.height(), kDefaultClientHeight);
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
    EXPECT_GT(pixelsOf(shot, qRgb(218, 19, 23)), 20);
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
    EXPECT_GT(pixelsOf(shot, qRgb(218, 19, 23)), 20);
    EXPECT_EQ(program.record().sampleSource.str(), "Observ");
}

}  // namespace
}  // namespace qalix::qt::testing
