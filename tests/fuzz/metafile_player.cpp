// A metafile opened in the graphic window with File > Open and painted: into the window's
// client area at its start-up size, into one as large as a printed page (A4 at 600 dpi, as
// "Print Metafile" plays it), and into a window shrunk to nothing.
#include "fuzz/fuzz_program.hpp"
#include "canvas/recording_canvas.hpp"
#include "ui/menu_ids.hpp"

namespace {

constexpr qalix::Rect kPrintedPage{0, 0, 4961, 7016};  // A4 at 600 dpi

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qalix;
    static fuzz::FuzzProgram program("picture.emf", panel::kGraphicWindow);
    FrameWindow& frame = program.program.frame();
    program.choose(fuzz::textOf(data, size));
    frame.command(menu::kOpen);
    fuzz::require((frame.openedMetafile() != nullptr) == program.platform.messages().empty(),
                  "a metafile is opened, or refused with a message");
    for (const Rect client : {Rect{0, 0, kDefaultClientWidth, kDefaultClientHeight}, kPrintedPage,
                              Rect{0, 0, 1, 1}, Rect{0, 0, 0, 0}}) {
        frame.setClientRect(client);
        RecordingCanvas window;
        frame.paint(window);
    }
    frame.setClientRect({0, 0, kDefaultClientWidth, kDefaultClientHeight});
    program.restore();
    return 0;
}
