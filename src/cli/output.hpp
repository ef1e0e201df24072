// What a command prints and the files it writes: its output as JSON, or as "path: value"
// lines, one for each text and number of the JSON, numbers in full (free format); texts saved
// to files, and documents written as HTML or PDF.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/options.hpp"
#include "cli/picture_renderer.hpp"
#include "document/design_snapshot.hpp"
#include "document/snapshot_json.hpp"

namespace qalix {

// The output the options ask for: the boundaries and curves a file needed only when asked.
Json outputOf(DesignSnapshot snapshot, const OutputOptions& o);

void writeJson(const Json& output, std::ostream& out);
void writeText(const Json& output, std::ostream& out, const std::string& path = {});
// As JSON or as text, as the options ask.
void printOutput(const Json& output, const OutputOptions& o, std::ostream& out);

// Saves text to the file named, if one is; says on err which file could not be written, and
// returns false then.
bool saveText(const std::optional<std::string>& path, const std::string& text, std::ostream& err);

// Writes an HTML document, or as PDF by the renderer when the name ends in ".pdf"; false, with
// the reason said on err naming the document as `what`, when it cannot be written.
bool writeDocument(const std::string& path, const std::string& html, bool letter,
                   const DocumentRenderer& documents, std::string_view what, std::ostream& err);

}  // namespace qalix
