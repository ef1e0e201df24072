// Every plot at the graphic window's size before it is measured: nothing drawn outside the
// client area, and nothing under the top left corner where the plot dialogs stand. Text
// extents are the estimates the metafile writer uses for the default face.
#include <algorithm>
#include <string>
#include <vector>

#include "canvas/text_extent.hpp"
#include "canvas/utf16.hpp"
#include "plot_program.hpp"

namespace qalix::testing {
namespace {

// The corner a plot dialog covers, in pixels of the client area, with room to spare: dialog
// 108, the largest, is 182 x 59 dialog units, about 275 x 105 pixels and its title bar.
constexpr Rect kDialogCorner{0, 0, 320, 150};

// The boxes, in pixels of the surface, of everything drawn.
class BoxCanvas final : public Canvas {
  public:
    void selectPen(const Pen& pen) override { pen_ = pen; }
    void selectFont(const FontDescription& font) override { font_ = font; }
    void setTextAlign(TextAlign align) override { align_ = align; }
    void setGraphicsMode(GraphicsMode) override {}
    void setViewportOrigin(int x, int y) override { origin_ = {x, y}; }
    void moveTo(int x, int y) override { at_ = {x, y}; }
    void lineTo(int x, int y) override {
        if (pen_.style != PenStyle::Null)
            add({std::min(at_.x, x), std::min(at_.y, y), std::max(at_.x, x), std::max(at_.y, y)});
        at_ = {x, y};
    }
    void rectangle(int left, int top, int right, int bottom) override {
        add({std::min(left, right), std::min(top, bottom), std::max(left, right) - 1,
             std::max(top, bottom) - 1});
    }
    void textOut(int x, int y, std::string_view text) override {
        const auto advances = estimatedAdvances(font_, utf8ToUtf16(text));
        const TextBox box = estimatedTextBox(font_, align_, x, y, advances);
        if (!box.empty) add({box.box.left, box.box.top, box.box.right, box.box.bottom});
    }
    const std::vector<Rect>& boxes() const { return boxes_; }

  private:
    void add(Rect r) {  // edges inclusive, moved to the surface
        boxes_.push_back(
            {r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y});
    }
    Pen pen_;
    FontDescription font_;
    TextAlign align_ = TextAlign::LeftTop;
    Point origin_;
    Point at_;
    std::vector<Rect> boxes_;
};

class PlotLayout : public PlotProgram {
  protected:
    void expectClearOfEdgesAndCorner(const std::string& plot) {
        BoxCanvas boxes;
        frame().paint(boxes);
        ASSERT_FALSE(boxes.boxes().empty()) << plot;
        const Rect client = frame().clientRect();
        for (const Rect& b : boxes.boxes()) {
            EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right < client.right &&
                        b.bottom < client.bottom)
                << plot << " draws outside at " << b.left << " " << b.top << " " << b.right << " "
                << b.bottom;
            const bool underCorner = b.left < kDialogCorner.right && b.top < kDialogCorner.bottom;
            EXPECT_FALSE(underCorner)
                << plot << " draws under the plot dialog at " << b.left << " " << b.top;
        }
    }
};

TEST_F(PlotLayout, TheDesignPlotsFitTheDefaultAreaBesideTheirDialog) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    expectClearOfEdgesAndCorner("boundary");
    plotPower();
    expectClearOfEdgesAndCorner("power");
    plotExpectedSize();
    expectClearOfEdgesAndCorner("expected size");
}

// Paths go where their data take them; these stay within the frame.
TEST_F(PlotLayout, TheBoundaryPlotWithItsLegendsFitsToo) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets(std::vector<std::pair<std::string, std::string>>(13, {"0.2", "25"}));
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    expectClearOfEdgesAndCorner("simulated paths");
    importAs("Observ", fixture("observ_fourteen.txt"));
    importAs("VarName", fixture("names_fourteen.txt"));
    ui.click(panel::kGraphicWindow);
    plot(menu::kPlotImported, kPlotImportedDialog, [this] {
        ui.click(kPlotImportedDialog, plotimported::kAll);
        ui.click(kPlotImportedDialog, plotimported::kRefresh);
    });
    expectClearOfEdgesAndCorner("imported paths");
}

}  // namespace
}  // namespace qalix::testing
