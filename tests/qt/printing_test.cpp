// Printing the text window to a PDF file through the printer the desktop uses: a page full
// of lines makes one page, one line more makes two, and the pages render (pdftoppm, when the
// machine has it) into pictures kept for a person to look at; a print that cannot start says
// so; and the print dialog as the user meets it, with its screenshot.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "desktop.hpp"
#include "graphics/printing.hpp"
#include "platform/headless/headless_platform.hpp"
#include "platform/qt/print_device.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

namespace fs = std::filesystem;

int pagesOf(const fs::path& pdf) {
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    static const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page),
                                          std::sregex_iterator()));
}

class PdfPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    // The text printed to a PDF file of that name in the screenshot folder.
    fs::path print(const std::string& text, const QString& name) {
        const QString file =
            screenshotPath(name).replace(QStringLiteral(".png"), QStringLiteral(".pdf"));
        printer.setOutputFileName(file);
        platform.answerPrint(
            {DialogOutcome::Accepted, std::make_unique<QtPrintDevice>(printer), 0});
        PRINTFILE(platform, text, INITIALIZEPAGE());
        return file.toStdString();
    }
    int linesPerPage() {
        QtPrintDevice device(printer);
        return textPageLayout(device.metrics(), INITIALIZEPAGE().margins).linesPerPage;
    }
    static std::string lines(int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += "Simu line " + std::to_string(i) + (i == 3 ? "\twith\ta tab" : "") + "\n";
        return text + "x";  // a last line of one character prints blank
    }

    QPrinter printer{QPrinter::HighResolution};
    HeadlessPlatform platform;
};

TEST_F(PdfPrint, APageFullOfLinesIsOnePageOneLineMoreIsTwo) {
    const int n = linesPerPage();
    ASSERT_GT(n, 20);  // an A4 page of 10-point lines between 25 mm margins holds about 55
    const fs::path one = print(lines(n - 1), QStringLiteral("print_one_page"));
    EXPECT_EQ(pagesOf(one), 1);
    const fs::path two = print(lines(n), QStringLiteral("print_two_pages"));
    EXPECT_EQ(pagesOf(two), 2);
    EXPECT_TRUE(platform.messages().empty());
    // Pictures of the pages, when poppler's renderer is on the machine.
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed: the pages were not rendered";
    const std::string render = "pdftoppm -r 50 -png '" + two.string() + "' '" +
                               (two.parent_path() / "print_page").string() + "'";
    ASSERT_EQ(std::system(render.c_str()), 0);
    EXPECT_TRUE(fs::exists(two.parent_path() / "print_page-1.png"));
    EXPECT_TRUE(fs::exists(two.parent_path() / "print_page-2.png"));
}

// With no printer installed the print dialog listed none and offered no file, and "Print"
// then did nothing, saying nothing: it offers a PDF file always.
TEST_F(Desktop, ThePrintDialogOffersAPdfFileOnAMachineWithoutPrinters) {
    computeDesign();
    click(kPanelDialog, panel::kTextWindow);
    QTest::keyClicks(frame.textWindow(), QStringLiteral("Simu line 1"));
    const fs::path pdf = fs::temp_directory_path() / "qalix_print_dialog.pdf";
    fs::remove(pdf);
    QTimer::singleShot(0, &frame, [&] {  // the PDF file chosen, named, then "Print"
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        const int index = printers->findText(QStringLiteral("Print to File (PDF)"));
        ASSERT_GE(index, 0);
        printers->setCurrentIndex(index);
        emit printers->activated(index);
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))
            ->setText(QString::fromStdString(pdf.string()));
        saveScreenshot(*dialog, QStringLiteral("print_dialog"));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    frame.action(menu::kPrintText)->trigger();
    EXPECT_EQ(pagesOf(pdf), 1);
    EXPECT_TRUE(takeBoxes().empty());
    fs::remove(pdf);
}

// The printer's own refusal ("QPainter::begin(): Returned false"), here a file in a folder
// that does not exist, which the print dialog would not have let through.
TEST_F(PdfPrint, APrintThatCannotStartSaysSo) {
    printer.setOutputFileName(QStringLiteral("/qalix-no-such-folder/print.pdf"));
    platform.answerPrint({DialogOutcome::Accepted, std::make_unique<QtPrintDevice>(printer), 0});
    PRINTFILE(platform, lines(3), INITIALIZEPAGE());
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Print");
    EXPECT_EQ(platform.messages()[0].text, kCannotStartPrint);
}

}  // namespace
}  // namespace qalix::qt::testing
