// Dialog templates: the controls of a dialog with their identifiers, kinds, captions,
// positions in dialog units, styles, initial list items and radio groups. Templates are
// text resources (resources/dialogs/*.dlg) read by the core, so the headless and the Qt
// platform build the same dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qalix {

// Identifier of controls that are never addressed (labels, frames).
inline constexpr int kUnaddressed = -1;
// Buttons that end a modal dialog with their own identifier as the exit code.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

enum class ControlKind {
    Button,
    DefaultButton,
    Radio,
    Check,
    GroupBox,
    Label,
    Edit,
    Combo,
    Spin,
    Picture,  // an image resource named by the caption
    Line      // an etched horizontal line
};

struct ControlTemplate {
    int id = kUnaddressed;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;
    bool pushLike = false;  // radio or check box drawn as a button that stays pressed
    bool editable = false;  // combo with an edit field
    bool sorted = false;    // combo whose list is kept in text order
    bool readOnly = false;
    bool disabled = false;
    bool multiline = false;
    bool fixedPitch = false;   // text in a fixed-pitch face, so that columns line up
    int buddy = kUnaddressed;  // spin: the edit that shows its position
    std::vector<std::string> items;
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;
    bool captionless = false;  // no title bar
    bool centred = false;      // centred over its owner instead of placed at (x, y)
    bool besideFrame = false;  // a window of its own beside the frame window
    std::string helpPage;      // the page of the help that F1 opens in the dialog
    int fontPoints = 8;
    std::string fontFace = "MS Sans Serif";
    std::vector<ControlTemplate> controls;
    std::vector<std::vector<int>> radioGroups;  // the first button of each starts selected
};

// Parses a template text. Throws std::runtime_error naming the line on a malformed text.
DialogTemplate parseDialogTemplate(std::string_view text);

// The template of a dialog resource built into the program, or nothing if there is none.
// Throws std::runtime_error when the resource is malformed.
std::optional<DialogTemplate> loadDialogTemplate(int dialogId);

}  // namespace qalix
