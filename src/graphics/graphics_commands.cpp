#include "graphics/graphics_commands.hpp"

#include <array>

#include "graphics/metafile_export.hpp"
#include "graphics/plot_dialogs.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_page.hpp"
#include "graphics/plot_pass.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "graphics/printing.hpp"
#include "io/files.hpp"
#include "samples/one_sample_paths.hpp"
#include "ui/file_titles.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using namespace menu;

// A plot of the Plot menu: its dialog, and what the record keeps once it has closed: the plot
// shown last (plotTag, for "Save As...") and whose sample paths (sampleSource). The plain
// boundary plot draws no paths.
struct PlotCommand {
    int command;
    PlotKind kind;
    int dialog;
    std::string_view tag;
    std::string_view sampleSource;
    bool withoutPaths;
};
constexpr std::array<PlotCommand, 5> kPlotCommands = {{
    {kPlotBoundary, PlotKind::Boundary, kPlotDialog, kBoundaryTag, "", true},
    {kPlotPower, PlotKind::Power, kPlotDialog, kPowerTag, "", false},
    {kPlotExpectedSize, PlotKind::ExpectedSize, kPlotDialog, kExpectedSizeTag, "", false},
    {kPlotSimulated, PlotKind::Boundary, kPlotSimulationsDialog, kBoundaryTag, "Simu", false},
    {kPlotImported, PlotKind::Boundary, kPlotImportedDialog, kBoundaryTag, "Observ", false},
}};

// The metafile writer "Save As..." chooses by the plot shown last; before any plot, the
// boundary plot, which "Save" always writes.
PlotKind taggedPlot(const DesignRecord& r) {
    if (r.plotTag == kPowerTag) return PlotKind::Power;
    if (r.plotTag == kExpectedSizeTag) return PlotKind::ExpectedSize;
    return PlotKind::Boundary;
}

// A picture file rather than a metafile, by the name's extension.
bool isPictureFile(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    return extension == ".svg" || extension == ".pdf" || extension == ".png";
}

// A plot chosen while the text window is shown turns to the graphic window it draws into.
void runPlot(PlotContext& program, const PlotCommand& plot) {
    DesignRecord& r = program.record;
    if (!r.graphicChosen) {
        r.graphicChosen = true;
        r.textChosen = false;
        program.frame.showInChosenMode();
    }
    if (plot.withoutPaths) r.plotSource = "None";
    runPlotDialog(program, plot.kind, plot.dialog);
    r.plotTag = plot.tag;
    if (!plot.sampleSource.empty()) r.sampleSource = plot.sampleSource;
}

void openMetafile(PlotContext& program) {
    const auto path = program.frame.askForFile(false);
    if (!path) return;
    program.frame.setTitle(std::string(kMetafileTitle) + titleName(*path));
    GraphicsState& graphics = program.graphics;
    graphics.picture.reset();
    graphics.opened.reset();
    try {
        graphics.opened = EmfPlayer::open(*path);
    } catch (const MetafileError& e) {
        program.error(e.what());
    }
    program.frame.pictureChanged();
}

// The save dialog names the metafile: the file is kept for "Save".
void keepMetafileName(PlotContext& program, const std::string& path) {
    program.frame.setTitle(std::string(kMetafileTitle) + titleName(path));
    GraphicsState& graphics = program.graphics;
    graphics.metafileFile = metafileTarget(path);
    graphics.metafileName = baseName(path);
    if (graphics.metafileName.size() < kMetafileNameLength)
        graphics.metafileName.resize(kMetafileNameLength, ' ');
}

// "Save" writes the boundary plot under the name chosen last; before any name was chosen it
// asks for one, as "Save As..." does.
void saveBoundaryMetafile(PlotContext& program) {
    const bool named = program.graphics.metafileName.find_first_not_of(' ') != std::string::npos;
    if (!named) {
        const auto path = program.frame.askForFile(true);
        if (!path) return;
        keepMetafileName(program, *path);
    }
    SAVEEMFBOUND(program, program.graphics.metafileFile);
}

void savePicture(PlotContext& program, const std::string& path) {
    const auto draw = [&program](Canvas& canvas) {
        if (program.graphics.picture) {
            program.graphics.picture->replay(canvas);
        } else {
            paintPlot(program, taggedPlot(program.record), canvas);
        }
    };
    const Rect client = program.frame.clientRect();
    std::string reason;
    if (program.platform.savePicture(path, client.width(), client.height(), draw, reason)) {
        program.frame.setTitle(std::string(kPictureTitle) + titleName(path));
    } else {
        program.error("Cannot save the picture: " + reason + ".");
    }
}

// By the type chosen: a metafile of the plot shown last, or a picture file of what the
// graphic window shows.
void saveMetafileAs(PlotContext& program) {
    const auto path = program.frame.askForFile(true);
    if (!path) return;
    if (isPictureFile(*path)) {
        savePicture(program, *path);
        return;
    }
    keepMetafileName(program, *path);
    saveMetafile(program, taggedPlot(program.record), program.graphics.metafileFile);
}

// Print > Meta File: what the graphic window shows, a plot or the metafile opened.
void printShown(PlotContext& program) {
    const GraphicsState& graphics = program.graphics;
    std::function<void(Canvas&)> drawPage;
    if (graphics.picture || graphics.opened)
        drawPage = [&graphics](Canvas& canvas) { paintGraphicWindow(graphics, canvas); };
    printMetafile(program.platform, drawPage);
}

// Whether the plot has something to draw: a computed design whose results follow from the
// inputs shown, and the samples it draws.
bool plotAvailable(const PlotContext& program, int command) {
    const DesignRecord& r = program.record;
    if (!program.sequential.designComputed || program.sequential.resultsStale) return false;
    if (command == kPlotSimulated) return r.simReady;
    if (command == kPlotImported) return r.importAvailable;
    return true;
}

// The notice over a plot whose results are for earlier inputs: at the page's foot, left,
// clear of the plot dialogs at the top left. Page units.
constexpr int kNoticeLeft = 16;
constexpr int kNoticeBottom = 16;
constexpr int kNoticeHeight = 18;

void paintNotice(Canvas& canvas, std::string_view notice) {
    FontDescription font;
    font.height = kNoticeHeight;
    font.weight = FontDescription::kBoldWeight;
    canvas.setViewportOrigin(0, 0);
    canvas.selectFont(font);
    canvas.setTextAlign(TextAlign::LeftTop);
    canvas.textOut(kNoticeLeft, kPlotPage.bottom - kNoticeBottom - kNoticeHeight, notice);
}

}  // namespace

void paintGraphicWindow(const GraphicsState& graphics, Canvas& canvas,
                        std::string_view staleNotice) {
    if (graphics.picture) {
        graphics.picture->replay(canvas);
        if (graphics.designPicture && !staleNotice.empty()) paintNotice(canvas, staleNotice);
    } else if (graphics.opened) {
        graphics.opened->play(canvas, {0, 0, kPlotPage.right - 1, kPlotPage.bottom - 1});
    }
}

void addGraphicsCommands(FrameCommands& commands, PlotContext& program) {
    const auto designed = [&program] { return program.sequential.designComputed; };
    const auto refusal = [&program] { return samplePathsRefusal(program); };
    for (const PlotCommand& plot : kPlotCommands) {
        commands.add({plot.command, kAnyMode, [&program, &plot] { runPlot(program, plot); },
                      [&program, &plot] { return plotAvailable(program, plot.command); },
                      plot.sampleSource.empty() ? std::function<std::string()>{} : refusal});
    }
    commands.add({kOpen, kGraphicMode, [&program] { openMetafile(program); }});
    commands.add({kSave, kGraphicMode, [&program] { saveBoundaryMetafile(program); }, designed});
    commands.add({kSaveAs, kGraphicMode, [&program] { saveMetafileAs(program); }, designed});
    commands.add({kPrintMetafile, kGraphicMode, [&program] { printShown(program); }});
}

}  // namespace qalix
