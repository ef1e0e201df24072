// The three plots written as enhanced metafiles: each repeats its window plot onto the
// metafile writer with the export's differences (a white area the size of the graphic window
// first, its own line 3 and 4 texts, the paths of the sample plot closed last), so that the
// picture can be reopened, printed or used elsewhere. The picture on the screen is left as
// it is.
#pragma once

#include <filesystem>
#include <string_view>

#include "graphics/plot_context.hpp"

namespace qalix {

inline constexpr std::string_view kCannotSaveMetafile = "Cannot save metafile";
inline constexpr std::string_view kMetafileExtension = ".emf";
// The name the save dialog produced is kept blank-padded to this many characters.
inline constexpr std::size_t kMetafileNameLength = 40;

// The file a metafile is written to: the name as chosen, with ".emf" added unless it ends in
// ".emf" already (in any case), so that nothing is written under a name the user did not give.
std::filesystem::path metafileTarget(const std::filesystem::path& chosen);

// Each reads the panel entries its plot needs, writes the file (replacing one of that name)
// and returns whether it did. An unreadable entry shows the entry error and writes nothing;
// one the drawing reads stops the drawing, and what was drawn is written. A file that cannot
// be written shows "Cannot save metafile", the file and why, in a box of its own.
bool SAVEEMFBOUND(PlotContext& program, const std::filesystem::path& file);
bool SAVEEMFPWR(PlotContext& program, const std::filesystem::path& file);
bool SAVEEMFSIZE(PlotContext& program, const std::filesystem::path& file);

// The export of the plot of that kind.
bool saveMetafile(PlotContext& program, PlotKind kind, const std::filesystem::path& file);

}  // namespace qalix
