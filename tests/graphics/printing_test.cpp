// Printing on a printer that keeps its pages: the text window's text in pages between the
// page-setup margins, numbered at their foot, and an opened metafile stretched over one page.
// Positions are worked out by hand from the printer's pixels per inch and font metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "canvas/emf_player.hpp"
#include "canvas/emf_writer.hpp"
#include "graphics/printing.hpp"
#include "canvas/recording_canvas.hpp"
#include "platform/headless/headless_platform.hpp"
#include "canvas/sample_drawing.hpp"

namespace qalix {
namespace {

struct PrintedText {
    int x;
    int y;
    std::string text;
};

struct PrintLog {
    std::string document;
    int documentsEnded = 0;
    int aborted = 0;
    std::vector<std::vector<PrintedText>> pages;
    RecordingCanvas canvas;
};

// A printer of 600 pixels per inch on a page of 8.5 by 11 inches printable, whose default font
// is 100 pixels high with 20 of leading and 50 wide on average.
class KeptPrinter : public PrintDevice {
  public:
    KeptPrinter(std::shared_ptr<PrintLog> log, int endPageResult = 1, bool starts = true)
        : log_(std::move(log)), endPageResult_(endPageResult), starts_(starts) {}
    Metrics metrics() const override { return {600, 600, 5100, 6600, 100, 20, 50}; }
    bool startDocument(std::string_view name) override {
        log_->document = std::string(name);
        return starts_;
    }
    bool startPage() override {
        log_->pages.emplace_back();
        return true;
    }
    int endPage() override { return endPageResult_; }
    bool endDocument() override {
        ++log_->documentsEnded;
        return true;
    }
    void abortDocument() override { ++log_->aborted; }
    void drawText(int x, int y, std::string_view text) override {
        log_->pages.back().push_back({x, y, std::string(text)});
    }
    Canvas& canvas() override { return log_->canvas; }

  private:
    std::shared_ptr<PrintLog> log_;
    int endPageResult_;
    bool starts_;
};

// With margins of one inch: left and top 600; lines 120 apart; (5100 - 1200) / 50 = 78
// characters a line; (6600 - 1200) / 120 = 45 lines a page; page numbers at (2550, 6300).
constexpr int kLinesPerPage = 45;

class TextPrint : public ::testing::Test {
  protected:
    void print(const std::string& text, PageSetup setup = INITIALIZEPAGE()) {
        platform.answerPrint({DialogOutcome::Accepted, std::make_unique<KeptPrinter>(log), 0});
        PRINTFILE(platform, text, setup);
    }
    static std::string lines(int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += "line " + std::to_string(i) + (i < n ? "\n" : "");
        return text;
    }
    HeadlessPlatform platform;
    std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>();
};

TEST_F(TextPrint, LayoutFollowsTheMarginsAndThePrintersFont) {
    const TextPageLayout layout =
        textPageLayout({600, 600, 5100, 6600, 100, 20, 50}, INITIALIZEPAGE().margins);
    EXPECT_EQ(layout.left, 600);
    EXPECT_EQ(layout.top, 600);
    EXPECT_EQ(layout.lineHeight, 120);
    EXPECT_EQ(layout.charsPerLine, 78);
    EXPECT_EQ(layout.linesPerPage, kLinesPerPage);
    EXPECT_EQ(layout.numberX, 2550);
    EXPECT_EQ(layout.numberY, 6300);
    // Margins count whole millimetres, an inch as 25 of them: 1234 is 12 mm, 288 pixels.
    const TextPageLayout odd =
        textPageLayout({600, 300, 5100, 3300, 100, 20, 50}, {1234, 2599, 0, 0});
    EXPECT_EQ(odd.left, 288);
    EXPECT_EQ(odd.top, 300);
}

TEST_F(TextPrint, APageFullOfLinesIsOnePageNumberedOne) {
    print(lines(kLinesPerPage));
    ASSERT_EQ(log->pages.size(), 1u);
    const auto& page = log->pages[0];
    ASSERT_EQ(page.size(), kLinesPerPage + 1u);
    EXPECT_EQ(page[0].x, 600);
    EXPECT_EQ(page[0].y, 600);
    EXPECT_EQ(page[0].text, "line 1");
    EXPECT_EQ(page[44].y, 600 + 44 * 120);
    EXPECT_EQ(page.back().text, "  1");
    EXPECT_EQ(page.back().x, 2550);
    EXPECT_EQ(page.back().y, 6300);
    EXPECT_EQ(log->documentsEnded, 1);
    EXPECT_EQ(log->document, "line 1");
}

TEST_F(TextPrint, OneLineMoreStartsASecondPage) {
    print(lines(kLinesPerPage + 1));
    ASSERT_EQ(log->pages.size(), 2u);
    ASSERT_EQ(log->pages[1].size(), 2u);
    EXPECT_EQ(log->pages[1][0].text, "line 46");
    EXPECT_EQ(log->pages[1][0].y, 600);
    EXPECT_EQ(log->pages[1][1].text, "  2");
}

TEST_F(TextPrint, ShortLinesPrintBlankAndTabsFourBlanks) {
    print("x\n\n\tcol\tumn\n" + std::string(100, 'w'));
    const auto& page = log->pages.at(0);
    EXPECT_EQ(page[0].text, " ");
    EXPECT_EQ(page[1].text, " ");
    EXPECT_EQ(page[2].text, "    col    umn");
    EXPECT_EQ(page[3].text, std::string(78, 'w'));  // cut at the characters a line holds
    // Tabs count as one character each against the line's room, so a line may grow beyond it.
    EXPECT_EQ(printedLine(std::string(78, '\t'), 78).size(), 312u);
}

// A printer that cannot start the document (no printer, a file that cannot be written)
// printed nothing without a word.
TEST(PrintStart, APrintThatCannotStartSaysSo) {
    HeadlessPlatform platform;
    auto log = std::make_shared<PrintLog>();
    platform.answerPrint(
        {DialogOutcome::Accepted, std::make_unique<KeptPrinter>(log, 1, false), 0});
    PRINTFILE(platform, "a line\nanother", INITIALIZEPAGE());
    EXPECT_TRUE(log->pages.empty());
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Print");
    EXPECT_EQ(platform.messages()[0].text, kCannotStartPrint);
}

TEST_F(TextPrint, AnEmptyTextPrintsNothingAndAsksNothing) {
    PRINTFILE(platform, "", INITIALIZEPAGE());
    EXPECT_TRUE(platform.printRequests().empty());
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(TextPrint, TheTextPrintAsksForAPageRangeWithoutSelectionOrFile) {
    print("two\nlines");
    ASSERT_EQ(platform.printRequests().size(), 1u);
    EXPECT_TRUE(platform.printRequests()[0].pageNumbers);
    EXPECT_FALSE(platform.printRequests()[0].selection);
    EXPECT_FALSE(platform.printRequests()[0].printToFile);
}

TEST_F(TextPrint, ACancelledDialogPrintsNothingAFailedOneSaysWhy) {
    platform.answerPrint({DialogOutcome::Cancelled, nullptr, 0});
    PRINTFILE(platform, "text", INITIALIZEPAGE());
    EXPECT_TRUE(platform.messages().empty());
    platform.answerPrint({DialogOutcome::Failed, nullptr, 9});
    PRINTFILE(platform, "text", INITIALIZEPAGE());
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Cannot Open This Dialog");
    EXPECT_EQ(platform.messages()[0].text,
              "The common dialog box procedure was unable to allocate memory for internal "
              "structures.");
    EXPECT_TRUE(log->pages.empty());
}

TEST_F(TextPrint, MarginsThatLeaveNoRoomAreRefusedNotDividedBy) {
    PageSetup huge;
    huge.margins = {20000, 20000, 20000, 20000};  // 200 mm each way on an 8.5-inch page
    print("text", huge);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].text, std::string(kNoRoomForText));
    EXPECT_TRUE(log->pages.empty());
}

// ---- Metafile --------------------------------------------------------------------------

class MetafilePrint : public ::testing::Test {
  protected:
    void SetUp() override {
        // Each test runs in a process of its own, in parallel: a name of its own each.
        file =
            std::filesystem::temp_directory_path() /
            ("qalix_print_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".emf");
        EmfWriter writer(file);
        test::drawSample(writer, 1, 1);
        ASSERT_TRUE(writer.finish());
    }
    void TearDown() override { std::filesystem::remove(file); }
    std::filesystem::path file;
    HeadlessPlatform platform;
    std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>();
};

// Nothing shown: the message says what is missing, with a warning rather than a question.
TEST_F(MetafilePrint, NothingShownSaysWhatIsMissing) {
    printMetafile(platform, {});
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Print MetaFile Error");
    EXPECT_EQ(platform.messages()[0].text,
              "Open Enhanced MetaFile first\n\nThe graphic window shows neither a plot nor a "
              "metafile: draw a plot from the Plot menu, or open a metafile with File > Open..., "
              "then print it.");
    EXPECT_EQ(platform.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.messages()[0].owner, MessageOwner::None);
    EXPECT_TRUE(platform.printRequests().empty());
}

// A plot printed on a portrait page was squeezed into it, its labels overprinting: the page
// is asked for in landscape, and the plot page is drawn whole with its proportions kept,
// centred. On the printer of 5100 by 6600 pixels: scale 5100 / 1500 = 3.4, and 6600 - 3.4 *
// 800 = 3880 pixels above and below, 1940 each.
TEST_F(MetafilePrint, APlotIsPrintedWholeInProportionOnALandscapePage) {
    const EmfPlayer player = EmfPlayer::open(file);
    platform.answerPrint({DialogOutcome::Accepted, std::make_unique<KeptPrinter>(log), 0});
    printMetafile(platform, [&](Canvas& page) { test::drawSample(page, 1, 1); });
    EXPECT_FALSE(platform.printRequests().at(0).pageNumbers);
    EXPECT_TRUE(platform.printRequests().at(0).landscape);
    ASSERT_EQ(log->pages.size(), 1u);
    EXPECT_EQ(log->documentsEnded, 1);
    const std::vector<std::string> lines = log->canvas.lines();
    // The origin (380, 342) of the sample lands at (1940 * 0 + 3.4 * 380, 1940 + 3.4 * 342).
    EXPECT_NE(std::find(lines.begin(), lines.end(), "origin 1292 3103"), lines.end());
    // Font heights follow the one scale: 16 * 3.4 = 54.4.
    EXPECT_EQ(lines.front().rfind("origin 0 1940", 0), 0u) << lines.front();
    bool font = false;
    for (const std::string& line : lines)
        font |= line.rfind("font h=54 w=0 ", 0) == 0;
    EXPECT_TRUE(font);
}

TEST_F(MetafilePrint, APageThePrinterRefusesIsAbandoned) {
    const EmfPlayer player = EmfPlayer::open(file);
    const auto draw = [&](Canvas& page) { player.play(page, {0, 0, 1499, 799}); };
    platform.answerPrint({DialogOutcome::Accepted, std::make_unique<KeptPrinter>(log, 0), 0});
    printMetafile(platform, draw);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].text, "Cannot Print metafile");
    EXPECT_EQ(log->aborted, 1);
    EXPECT_EQ(log->documentsEnded, 0);
}

TEST_F(MetafilePrint, CancelIsSilentAndNoPrinterSaysSo) {
    const EmfPlayer player = EmfPlayer::open(file);
    const auto draw = [&](Canvas& page) { player.play(page, {0, 0, 1499, 799}); };
    platform.answerPrint({DialogOutcome::Cancelled, nullptr, 0});
    printMetafile(platform, draw);
    EXPECT_TRUE(platform.messages().empty());
    platform.answerPrint({DialogOutcome::Accepted, nullptr, 0});
    printMetafile(platform, draw);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].text, "Cannot get a printer DC");
    EXPECT_EQ(platform.messages()[0].caption, "");
}

}  // namespace
}  // namespace qalix
