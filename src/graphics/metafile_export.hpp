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

// The file a metafile name stands for: the name without its trailing blanks, then ".emf",
// in the folder given.
std::filesystem::path metafilePath(const std::filesystem::path& folder,
                                   std::string_view metafileName);

// Each reads the panel entries its plot needs, writes the file (replacing one of that name)
// and returns whether it did. An unreadable entry shows the entry error and writes nothing;
// one the drawing reads stops the drawing, and what was drawn is written. A file that cannot
// be written shows "Cannot save metafile" in a box of its own.
bool SAVEEMFBOUND(PlotContext& program, const std::filesystem::path& file);
bool SAVEEMFPWR(PlotContext& program, const std::filesystem::path& file);
bool SAVEEMFSIZE(PlotContext& program, const std::filesystem::path& file);

// The export of the plot of that kind.
bool saveMetafile(PlotContext& program, PlotKind kind, const std::filesystem::path& file);

}  // namespace qalix
