#include "shell/text_files.hpp"

#include "io/files.hpp"
#include "shell/frame_window.hpp"
#include "ui/platform.hpp"

namespace qalix {

namespace {

constexpr std::string_view kErrorCaption = "Error";

void cannot(Platform& platform, std::string_view what, const io::FileError& error) {
    platform.messageBox({std::string(kErrorCaption), std::string(what) + " " + error.describe(),
                         MessageIcon::Exclamation});
}

// The longest start of the text, ending at a line end, that the text window takes.
std::string_view whatFits(std::string_view text) {
    if (text.size() <= kTextWindowLimit) return text;
    const std::string_view start = text.substr(0, kTextWindowLimit);
    const auto lineEnd = start.find_last_of('\n');
    return lineEnd == std::string_view::npos ? start : start.substr(0, lineEnd + 1);
}

}  // namespace

std::string withoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view{}
                                                      : text.substr(0, last + 1));
}

std::string withoutTrailingSpace(std::string_view text) {
    const auto last = text.find_last_not_of(" \r\n");
    return std::string(last == std::string_view::npos ? std::string_view{}
                                                      : text.substr(0, last + 1));
}

bool LOADFILE(FrameWindow& frame, Platform& platform, const std::string& path) {
    if (const auto refused = io::notReadable(path)) {
        cannot(platform, "Cannot read the file", *refused);
        return false;
    }
    const io::ReadResult read = io::readFile(path, kTextWindowLimit);
    if (read.tooLarge) {
        platform.beep(kRefusalBeepHz, kRefusalBeepMs);
        platform.messageBox({std::string(kReadFileCaption), std::string(kFileTooLarge),
                             MessageIcon::Question, MessageOwner::None});
        return false;
    }
    if (!read) {
        cannot(platform, "Cannot read the file", read.error);
        return false;
    }
    frame.setText(withoutTrailingBlanks(*read.bytes));
    return true;
}

std::optional<std::string> showWhatFits(FrameWindow& frame, Platform& platform,
                                        const std::string& path, std::size_t maxBytes) {
    io::ReadResult read = io::readFile(path, maxBytes);
    if (!read) {
        cannot(platform, "Cannot read the file", read.error);
        return std::nullopt;
    }
    const std::string_view shown = whatFits(*read.bytes);
    frame.setText(withoutTrailingBlanks(shown));
    if (shown.size() < read.bytes->size()) {
        Message notice{std::string(kReadFileCaption),
                       "The text window shows the first " + std::to_string(shown.size()) +
                           " characters of " + path + "; the file itself holds " +
                           std::to_string(read.bytes->size()) + ".",
                       MessageIcon::Information, MessageOwner::None};
        notice.notice = true;
        platform.messageBox(notice);
    }
    return std::move(read.bytes);
}

bool SAVEFILE(FrameWindow& frame, Platform& platform, const std::string& path) {
    const std::string text = withoutTrailingSpace(frame.text());
    const auto failed = io::saveFile(path, text);
    if (failed) {
        cannot(platform, "Cannot write the file", *failed);
        return false;
    }
    return true;
}

}  // namespace qalix
