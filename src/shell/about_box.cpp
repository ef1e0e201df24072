#include "shell/about_box.hpp"

#include <array>
#include <utility>

#include "program_version.hpp"

namespace qalix {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kVersionStrings = {{
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "QALIX on information time for sequential design of experiment "},
    {"FileVersion", kProgramVersion},
    {"InternalName", "QALIXinfWin"},
    {"LegalCopyright", "(c) 2026 The QALIX developers"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "QALIXinfTime"},
    {"PrivateBuild", ""},
    {"ProductName", "QALIXinfWin"},
    {"ProductVersion", kProgramVersion},
    {"SpecialBuild", ""},
}};

constexpr std::string_view kVersionCaption = "Version ";

constexpr std::array kVersionLines = {about::kNameLine, about::kPurposeLine, about::kVersionLine,
                                      about::kRightsLine, about::kTrademarksLine};

// One axis: start so that the window is centred on the owner, then kept on the screen.
int centred(int ownerStart, int ownerSize, int windowSize, int screenSize) {
    int start = ownerStart + (ownerSize - windowSize) / 2;
    if (start < 0) {
        start = 0;
    } else if (start + windowSize > screenSize) {
        start = screenSize - windowSize;
    }
    return start;
}

}  // namespace

std::optional<std::string_view> versionString(std::string_view name) {
    for (const auto& [key, value] : kVersionStrings) {
        if (key == name) return value;
    }
    return std::nullopt;
}

void ABOUTDLG(Dialog& about) {
    for (int line : kVersionLines) {
        if (const auto value = versionString(about.getText(line))) about.setText(line, *value);
    }
    // The one version of the program, as the start screen, the package and the documents give.
    about.setText(about::kVersionLine, std::string(kVersionCaption) + std::string(kProgramVersion));
}

Point CENTERWINDOW(const Rect& window, const Rect& owner, int screenWidth, int screenHeight) {
    return {centred(owner.left, owner.width(), window.width(), screenWidth),
            centred(owner.top, owner.height(), window.height(), screenHeight)};
}

}  // namespace qalix
