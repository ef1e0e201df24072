// The frame's picture files, page setup and printing, as the user meets them through the
// File menu: "Save As..." writes a metafile or, by the type chosen, a picture of what the
// graphic window shows; the page setup's margins reach the text print; "Print" prints what
// the graphic window shows or the text window.
#include <filesystem>
#include <functional>
#include <memory>

#include "graphics/metafile_export.hpp"
#include "graphics/plot_program.hpp"
#include "graphics/printing.hpp"

namespace qalix::testing {
namespace {

// A printer that keeps the texts of its pages.
class PageKeeper : public PrintDevice {
  public:
    explicit PageKeeper(std::vector<std::pair<int, std::string>>& texts,
                        RecordingCanvas* pictures = nullptr)
        : texts_(texts), canvas_(pictures != nullptr ? *pictures : own_) {}
    Metrics metrics() const override { return {600, 600, 5100, 6600, 100, 20, 50}; }
    bool startDocument(std::string_view) override { return true; }
    bool startPage() override { return true; }
    int endPage() override { return 1; }
    bool endDocument() override { return true; }
    void abortDocument() override {}
    void drawText(int x, int, std::string_view text) override {
        texts_.emplace_back(x, std::string(text));
    }
    Canvas& canvas() override { return canvas_; }

  private:
    std::vector<std::pair<int, std::string>>& texts_;
    RecordingCanvas own_;
    RecordingCanvas& canvas_;
};

class FrameFiles : public PlotProgram {
  protected:
    void saveAs(const std::string& file) {
        platform.answerSaveFile({DialogOutcome::Accepted, file, 0});
        frame().command(menu::kSaveAs);
    }
};

TEST_F(FrameFiles, SaveAsAPictureDrawsWhatTheGraphicWindowShows) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto shown = frame().picture()->calls().size();
    saveAs(path("power.svg"));
    ASSERT_EQ(platform.pictureRequests().size(), 1u);
    const auto& request = platform.pictureRequests()[0];
    EXPECT_EQ(request.path, path("power.svg"));
    EXPECT_EQ(request.width, frame().clientRect().width());
    EXPECT_EQ(request.height, frame().clientRect().height());
    EXPECT_EQ(request.calls, static_cast<int>(shown));
    EXPECT_EQ(frame().title(), " Picture File:  power");
    // No metafile was written, and the metafile name is not the picture's.
    EXPECT_FALSE(std::filesystem::exists(path("power.emf")));
    EXPECT_TRUE(takeMessages().empty());
    // The dialog offers every type the command writes.
    const auto& filters = platform.fileRequests().back().filters;
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_EQ(filters[1].pattern, "*.svg");
    EXPECT_EQ(filters[3].pattern, "*.png");
}

TEST_F(FrameFiles, SaveAsAMetafileStillWritesThePlotShownLast) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    saveAs(path("sizes.emf"));
    EXPECT_TRUE(std::filesystem::exists(path("sizes.emf")));
    EXPECT_TRUE(platform.pictureRequests().empty());
}

TEST_F(FrameFiles, APictureThatCannotBeWrittenSaysWhy) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    platform.refusePicture("the folder cannot be written");
    saveAs(path("plot.png"));
    EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                  "Error: Cannot save the picture: the folder cannot be written."});
}

TEST_F(FrameFiles, PageSetupMarginsReachTheTextPrint) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.click(panel::kTextWindow);
    PageSetup narrow;
    narrow.margins = {1000, 1000, 1000, 1000};  // 10 mm: 240 pixels at 600 per inch
    platform.answerPageSetup({DialogOutcome::Accepted, narrow, 0});
    frame().command(menu::kPageSetup);
    frame().userEdit("first line\nsecond line");
    std::vector<std::pair<int, std::string>> printed;
    platform.answerPrint({DialogOutcome::Accepted, std::make_unique<PageKeeper>(printed), 0});
    frame().command(menu::kPrintText);
    ASSERT_EQ(printed.size(), 3u);  // two lines and the page number
    EXPECT_EQ(printed[0], (std::pair<int, std::string>{240, "first line"}));
    EXPECT_EQ(printed[2].second, "  1");
}

TEST_F(FrameFiles, AFailedPageSetupSaysWhyAndKeepsTheMargins) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    platform.answerPageSetup({DialogOutcome::Failed, {}, 2});
    frame().command(menu::kPageSetup);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Cannot Open This Dialog");
}

// Print > Meta File said "Open Enhanced MetaFile first" while the title named the metafile
// just saved and the window showed its plot: it prints what the graphic window shows, the plot
// or the metafile opened, and says what is missing only when it shows neither.
TEST_F(FrameFiles, PrintingPrintsWhatTheGraphicWindowShows) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    frame().command(menu::kPrintMetafile);
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Print MetaFile Error: Open Enhanced MetaFile first\n\n", 0), 0u);
    EXPECT_TRUE(platform.printRequests().empty());
    const std::vector<std::pair<const char*, std::function<void()>>> rows = {
        {"the plot after Save As",
         [&] {
             plotBoundary();
             saveAs(path("bound.emf"));
             EXPECT_EQ(frame().title(), " Meta File:  bound");
         }},
        {"the metafile opened",
         [&] {
             platform.answerOpenFile({DialogOutcome::Accepted, path("bound.emf"), 0});
             frame().command(menu::kOpen);
             ASSERT_NE(frame().openedMetafile(), nullptr);
         }},
    };
    for (const auto& [shown, show] : rows) {
        show();
        std::vector<std::pair<int, std::string>> printed;
        RecordingCanvas page;
        platform.answerPrint(
            {DialogOutcome::Accepted, std::make_unique<PageKeeper>(printed, &page), 0});
        frame().command(menu::kPrintMetafile);
        EXPECT_TRUE(takeMessages().empty()) << shown;
        EXPECT_FALSE(platform.printRequests().back().pageNumbers) << shown;
        EXPECT_TRUE(platform.printRequests().back().landscape) << shown;
        EXPECT_GT(page.calls().size(), 100u) << shown;
    }
}

TEST_F(FrameFiles, EachPrintCommandWaitsForItsMode) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    EXPECT_FALSE(frame().menu().enabled(menu::kPrintText));
    EXPECT_TRUE(frame().menu().enabled(menu::kPrintMetafile));
    ui.click(panel::kTextWindow);
    EXPECT_TRUE(frame().menu().enabled(menu::kPrintText));
    EXPECT_FALSE(frame().menu().enabled(menu::kPrintMetafile));
    EXPECT_TRUE(frame().menu().enabled(menu::kPageSetup));
}

}  // namespace
}  // namespace qalix::testing
