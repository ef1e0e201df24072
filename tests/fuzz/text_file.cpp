// A text file opened in the text window with File > Open: the window holds the file up to its
// trailing blanks, or refuses a file larger than it takes.
#include "fuzz/fuzz_program.hpp"
#include "ui/menu_ids.hpp"
#include "shell/text_files.hpp"

namespace {

// The window's text is the file with only blanks cut from its end.
bool isFileUpToTrailingBlanks(std::string_view shown, std::string_view file) {
    return file.starts_with(shown) &&
           file.find_first_not_of(' ', shown.size()) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qalix;
    static fuzz::FuzzProgram program("text.txt", panel::kTextWindow);
    const std::string_view bytes = fuzz::textOf(data, size);
    program.choose(bytes);
    program.program.frame().command(menu::kOpen);
    if (size <= kTextWindowLimit) {
        fuzz::require(program.platform.messages().empty(), "a file the window takes is read");
        fuzz::require(isFileUpToTrailingBlanks(program.program.frame().text(), bytes),
                      "the window holds the file without its trailing blanks");
    }
    program.restore();
    return 0;
}
