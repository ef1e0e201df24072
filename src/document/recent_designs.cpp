#include "document/recent_designs.hpp"

#include <algorithm>
#include <filesystem>

#include "io/files.hpp"

namespace qalix {

namespace {

// Far more than four file names take; a larger file is no list of ours.
constexpr std::size_t kListBytes = 64 * 1024;
constexpr std::size_t kShownLength = 60;
constexpr std::string_view kElision = "...";

bool namesAFile(std::string_view line) {
    const bool control = std::any_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7f;
    });
    // Absolute on the system the program runs on: "/..." here, "C:\\..." on Windows.
    return !line.empty() && std::filesystem::path(line).is_absolute() && !control;
}

std::filesystem::path listFile(const std::string& folder) {
    return std::filesystem::path(folder) / kRecentDesignsFile;
}

}  // namespace

RecentDesigns::RecentDesigns(std::string folder) : folder_(std::move(folder)) {
    if (folder_.empty()) return;
    const io::ReadResult read = io::readFile(listFile(folder_), kListBytes);
    if (!read) return;
    std::string_view rest = *read.bytes;
    while (!rest.empty() && files_.size() < kRecentDesigns) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string file(line);
        if (namesAFile(line) && std::find(files_.begin(), files_.end(), file) == files_.end())
            files_.push_back(file);
    }
}

void RecentDesigns::add(const std::string& path) {
    std::error_code error;
    std::string file = std::filesystem::absolute(path, error).lexically_normal().string();
    if (error || !namesAFile(file)) return;
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
    files_.insert(files_.begin(), std::move(file));
    if (files_.size() > kRecentDesigns) files_.resize(kRecentDesigns);
    keep();
}

void RecentDesigns::drop(const std::string& path) {
    const auto before = files_.size();
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    if (files_.size() != before) keep();
}

void RecentDesigns::keep() const {
    if (folder_.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    std::string list;
    for (const std::string& file : files_)
        list += file + "\n";
    // Nothing is said of a list that cannot be written: the designs themselves are saved.
    (void)io::saveFile(listFile(folder_), list);
}

std::string recentItemText(std::size_t index, const std::string& path) {
    std::string shown = path;
    if (shown.size() > kShownLength) {
        // Cut at the start of a character, never inside one.
        std::size_t from = shown.size() - (kShownLength - kElision.size());
        while (from < shown.size() && (static_cast<unsigned char>(shown[from]) & 0xC0) == 0x80)
            ++from;
        shown = std::string(kElision) + shown.substr(from);
    }
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : shown)
        text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}

}  // namespace qalix
