#include "graphics/metafile_export.hpp"

#include <array>
#include <span>
#include <string>

#include "design/context.hpp"
#include "graphics/boundary_plot.hpp"
#include "canvas/emf_writer.hpp"
#include "graphics/expected_size_plot.hpp"
#include "graphics/plot_entries.hpp"
#include "graphics/power_plot.hpp"

namespace qalix {

namespace {

// The panel entries each export reads before it draws. The boundary export reads alpha
// too, so that line 1 shows the alpha the boundaries are drawn for.
constexpr std::array kBoundaryEntries = {PanelEntry::RhoMax, PanelEntry::Alpha};
constexpr std::array kPowerEntries = {PanelEntry::Alpha, PanelEntry::RhoMax};
constexpr std::array kExpectedSizeEntries = {PanelEntry::Alpha,      PanelEntry::Power,
                                             PanelEntry::StdDev,     PanelEntry::AltMean,
                                             PanelEntry::SampleSize, PanelEntry::RhoMax};

bool cannotSave(PlotContext& program, const io::FileError& error) {
    program.platform.messageBox({std::string(kErrorCaption),
                                 std::string(kCannotSaveMetafile) + " " + error.describe(),
                                 MessageIcon::None, MessageOwner::None});
    return false;
}

template <typename Draw>
bool exportPlot(PlotContext& program, std::span<const PanelEntry> entries,
                const std::filesystem::path& file, Draw draw) {
    float rhoMax = 0.0f;
    if (!readPanelEntries(program, entries, rhoMax)) return false;
    EmfWriter writer(file);
    if (!writer.isOpen()) return cannotSave(program, writer.error());
    draw(writer, rhoMax);
    if (!writer.finish()) return cannotSave(program, writer.error());
    return true;
}

}  // namespace

std::filesystem::path metafileTarget(const std::filesystem::path& chosen) {
    if (io::lowercaseExtension(chosen) == kMetafileExtension) return chosen;
    std::filesystem::path target = chosen;
    target += std::string(kMetafileExtension);
    return target;
}

bool SAVEEMFBOUND(PlotContext& program, const std::filesystem::path& file) {
    return exportPlot(program, kBoundaryEntries, file, [&](Canvas& canvas, float rhoMax) {
        PlotBound(program, canvas, kExportedBoundary, rhoMax);
    });
}

bool SAVEEMFPWR(PlotContext& program, const std::filesystem::path& file) {
    return exportPlot(program, kPowerEntries, file, [&](Canvas& canvas, float rhoMax) {
        PlotPwrFunc(program, canvas, kExportedPower, rhoMax);
    });
}

bool SAVEEMFSIZE(PlotContext& program, const std::filesystem::path& file) {
    return exportPlot(program, kExpectedSizeEntries, file, [&](Canvas& canvas, float rhoMax) {
        PlotExpecSize(program, canvas, kExportedExpectedSize, rhoMax);
    });
}

bool saveMetafile(PlotContext& program, PlotKind kind, const std::filesystem::path& file) {
    switch (kind) {
        case PlotKind::Boundary:
            return SAVEEMFBOUND(program, file);
        case PlotKind::Power:
            return SAVEEMFPWR(program, file);
        case PlotKind::ExpectedSize:
            return SAVEEMFSIZE(program, file);
    }
    return false;
}

}  // namespace qalix
