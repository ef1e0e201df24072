// The text window's files: loaded whole (up to a size the window takes), saved without the
// blanks that trail the text. Bytes are read and written as they are.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qalix {

class FrameWindow;
class Platform;

// The most a text window takes.
inline constexpr std::size_t kTextWindowLimit = 200000;
inline constexpr std::string_view kFileTooLarge = "File to large for edit control";
inline constexpr std::string_view kReadFileCaption = "Read File";
// The beep that comes with a refused file.
inline constexpr int kRefusalBeepHz = 440;
inline constexpr int kRefusalBeepMs = 200;

// Loads the file into the text window, trailing blanks dropped. A file larger than the
// window takes is refused with a beep and a message; one that cannot be read (missing, not a
// regular file) says so. False when nothing was loaded.
bool LOADFILE(FrameWindow& frame, Platform& platform, const std::string& path);

// Reads a file of up to maxBytes bytes and shows it in the text window: the whole of it, or
// as many lines as the window takes with a notice that says so. Nothing, after a message,
// when it cannot be read.
std::optional<std::string> showWhatFits(FrameWindow& frame, Platform& platform,
                                        const std::string& path, std::size_t maxBytes);

// Writes the text window's text up to its last character that is not a blank or a line end.
// A failed save says which file and why, and leaves an existing file as it was. False when
// nothing was saved.
bool SAVEFILE(FrameWindow& frame, Platform& platform, const std::string& path);

// The text up to and including its last character that is not a blank.
std::string withoutTrailingBlanks(std::string_view text);
// The text up to and including its last character that is neither a blank nor a line end.
std::string withoutTrailingSpace(std::string_view text);

}  // namespace qalix
