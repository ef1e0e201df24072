#include "shell/text_files.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "shell/frame_window.hpp"
#include "ui/platform.hpp"

namespace qalix {

namespace {

constexpr std::string_view kErrorCaption = "Error";

void cannot(Platform& platform, std::string_view what, const std::string& path) {
    platform.messageBox(
        {std::string(kErrorCaption), std::string(what) + " " + path, MessageIcon::Exclamation});
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

bool writeFileReplacing(const std::string& path, std::string_view bytes) {
    const std::string beside = path + ".qalix-tmp";
    {
        std::ofstream out(beside, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(beside.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(beside, path, error);
    if (error) {
        std::remove(beside.c_str());
        return false;
    }
    return true;
}

bool LOADFILE(FrameWindow& frame, Platform& platform, const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in || std::filesystem::is_directory(path)) {
        cannot(platform, "Cannot read the file", path);
        return false;
    }
    if (size > kTextWindowLimit) {
        platform.beep(kRefusalBeepHz, kRefusalBeepMs);
        platform.messageBox({std::string(kReadFileCaption), std::string(kFileTooLarge),
                             MessageIcon::Question, MessageOwner::None});
        return false;
    }
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() > kTextWindowLimit) bytes.resize(kTextWindowLimit);  // grown meanwhile
    frame.setText(withoutTrailingBlanks(bytes));
    return true;
}

bool SAVEFILE(FrameWindow& frame, Platform& platform, const std::string& path) {
    const std::string text = withoutTrailingSpace(frame.text());
    if (path.empty() || !writeFileReplacing(path, text)) {
        cannot(platform, "Cannot write the file", path);
        return false;
    }
    return true;
}

}  // namespace qalix
