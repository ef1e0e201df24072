// The about box: the program's version strings in the lines that name them, and the box
// centred over its owner.
#pragma once

#include <optional>
#include <string_view>

#include "ui/dialog.hpp"
#include "ui/geometry.hpp"

namespace qalix {

inline constexpr int kAboutDialog = 100;

namespace about {
inline constexpr int kIcon = 502;
inline constexpr int kNameLine = 1001;
inline constexpr int kPurposeLine = 1002;
inline constexpr int kVersionLine = 1003;
inline constexpr int kRightsLine = 1004;
inline constexpr int kTrademarksLine = 1005;
inline constexpr int kEtchedLine = 501;
inline constexpr int kOk = 1;
}  // namespace about

// The value of one of the program's version strings ("ProductName", "FileVersion", ...),
// or nothing when there is no string of that name. Some exist with an empty value.
std::optional<std::string_view> versionString(std::string_view name);

// Fills the lines of the about box whose text names a version string with its value, and the
// version line with the program's version.
void ABOUTDLG(Dialog& about);

// Top-left corner that centres a window over its owner, kept on the screen: flush with the
// left or top edge when it would start before it, flush with the right or bottom edge when
// it would end beyond it.
Point CENTERWINDOW(const Rect& window, const Rect& owner, int screenWidth, int screenHeight);

}  // namespace qalix
