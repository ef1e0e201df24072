#include "ui/common_dialog_errors.hpp"

#include <array>
#include <string>
#include <utility>

namespace qalix {

namespace {

constexpr std::array<std::pair<unsigned, std::string_view>, 14> kErrorTexts = {{
    {1,
     "The lStructSize member of a structure for the corresponding common dialog box is "
     "invalid."},
    {2,
     "The common dialog box procedure failed during initialization. This error often "
     "occurs when insufficient memory is available."},
    {3,
     "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
     "corresponding common dialog box, but the application failed to provide a "
     "corresponding template."},
    {4,
     "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the "
     "corresponding common dialog box, but the application failed to provide a "
     "corresponding instance handle."},
    {5, "The common dialog box procedure failed to load a specified string."},
    {6, "The common dialog box procedure failed to find a specified resource."},
    {7, "The common dialog box procedure failed to load a specified resource."},
    {8, "The common dialog box procedure failed to lock a specified resource."},
    {9,
     "The common dialog box procedure was unable to allocate memory for internal "
     "structures."},
    {10,
     "The common dialog box procedure was unable to lock the memory associated with a "
     "handle."},
    {11,
     "The ENABLEHOOK flag was specified in the Flags member of a structure for the "
     "corresponding common dialog box, but the application failed to provide a pointer "
     "to a corresponding hook function"},
    {0x3001,
     "An attempt to subclass a list box failed because insufficient memory was "
     "available."},
    {0x3002, "A filename is invalid."},
    {0x3003,
     "The buffer for a filename is too small. (This buffer is pointed to by the "
     "lpstrFile member of the structure for a common dialog box.)"},
}};

}  // namespace

std::string_view commonDialogErrorText(unsigned code) {
    for (const auto& [number, text] : kErrorTexts) {
        if (number == code) return text;
    }
    return "Unknown error number";
}

int COMDLGER(Platform& platform, unsigned code) {
    if (code == 0) return 0;
    return platform.messageBox({std::string(kCommonDialogCaption),
                                std::string(commonDialogErrorText(code)), MessageIcon::Exclamation,
                                MessageOwner::None, false});
}

}  // namespace qalix
