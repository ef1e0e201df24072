// The design files saved or opened last, which the File menu offers, most recent first. The
// list is kept between runs as a small text file in the settings folder, one absolute file
// name a line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qalix {

inline constexpr std::size_t kRecentDesigns = 4;
inline constexpr std::string_view kRecentDesignsFile = "recent-designs.txt";

class RecentDesigns {
  public:
    // The list kept in the folder; none is kept when the folder is empty. A list file that
    // cannot be read, and lines that name no file, are passed over: the list only helps.
    explicit RecentDesigns(std::string folder);

    const std::vector<std::string>& files() const { return files_; }
    // The file (made absolute) goes first; the list is written at once. A list that cannot be
    // written is kept for this run only.
    void add(const std::string& path);
    void drop(const std::string& path);

  private:
    void keep() const;

    std::string folder_;
    std::vector<std::string> files_;
};

// The text of the menu item of the index-th file (from 0): "&1 /home/ann/trial.qalixdesign",
// the '&' of a name doubled so that it shows, a long name shortened at its start.
std::string recentItemText(std::size_t index, const std::string& path);

}  // namespace qalix
