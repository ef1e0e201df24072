// What every fuzz target needs: the input as text or as a file on disk, and properties that
// end the run as a crash when an input breaks them, so that libFuzzer keeps that input.
#pragma once

#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace qalix::fuzz {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void require(bool holds, std::string_view property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %.*s\n", static_cast<int>(property.size()),
                 property.data());
    std::abort();
}

// A number the program shows is never NaN or an infinity: the words "NaN", "Inf" and
// "Infinity" the number writers give them, standing alone (not in "Information").
inline bool showsNonFinite(std::string_view text) {
    const auto isWordCharacter = [&text](std::size_t at) {
        return at < text.size() && std::isalnum(static_cast<unsigned char>(text[at]));
    };
    for (const std::string_view word : {"NaN", "Inf", "Infinity"}) {
        for (std::size_t at = text.find(word); at != std::string_view::npos;
             at = text.find(word, at + 1)) {
            if ((at == 0 || !isWordCharacter(at - 1)) && !isWordCharacter(at + word.size()))
                return true;
        }
    }
    return false;
}

// The input written to a file of this process, as a user's file would be chosen; the folder
// goes when the process ends normally, and is named by the process so that parallel jobs
// keep apart.
class InputFile {
  public:
    explicit InputFile(std::string_view name)
        : folder_(std::filesystem::temp_directory_path() /
                  ("qalix_fuzz_" + std::to_string(::getpid()))),
          path_((folder_ / name).string()) {
        std::filesystem::create_directories(folder_);
    }
    ~InputFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& write(std::string_view bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        require(static_cast<bool>(out), "the input file is written");
        return path_;
    }
    const std::string& path() const { return path_; }

  private:
    std::filesystem::path folder_;
    std::string path_;
};

}  // namespace qalix::fuzz
