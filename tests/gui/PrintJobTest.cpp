#include <gtest/gtest.h>

#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "PrintTestSupport.h"
#include "app/gui/cuiPrintJob.h"
#include "app/gui/cuiPrintProgress.h"

namespace {

using pdftext::Has;
using pdftext::Pages;

class PrintJobTest : public ::testing::Test {
protected:
    PrintJobTest() {
        job.setupDialog = [this](QPrinter& printer) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Pdf());
            return dialogAnswer;
        };
    }

    QString Pdf() const { return dir.filePath(QStringLiteral("out.pdf")); }

    // Prints on an A4 PDF file without dialogs; the text of its pages.
    std::vector<std::string> PrintPdf(const std::vector<std::string>& sheets, int dpi = 600) {
        {
            QPdfWriter writer(Pdf());
            writer.setResolution(dpi);
            writer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            job.Begin(writer, sheets);
            while (job.Running()) {
                job.Step();
            }
        }
        return Pages(Pdf().toStdString());
    }

    QTemporaryDir dir;
    printtest::PrintDocHost host;
    QWidget window;
    std::vector<bool> enabled;
    cuiPrintJob job{&window, host, host.prompt, [this](bool on) { enabled.push_back(on); }};
    int dialogs = 0;
    bool dialogAnswer = true;
};

TEST_F(PrintJobTest, WithoutASheetOnlyTheEditIsCommitted) {
    EXPECT_FALSE(job.StartPrint({}));
    EXPECT_EQ(host.Heard(21).size(), 1u);
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(job.Running());
}

TEST_F(PrintJobTest, WithoutAPrinterTheUserIsToldAndNothingStarts) {
    job.printerAvailable = [] { return false; };
    EXPECT_FALSE(job.StartPrint({"T_PrintShortA"}));
    ASSERT_EQ(host.prompt.asked.size(), 1u);
    EXPECT_EQ(host.prompt.asked[0], printtest::PrintTable().GetBody("GI_Sys_Printer_NoPrinter"));
    EXPECT_EQ(host.prompt.lastIcon, cmcPrompt::Icon::Stop);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(enabled.empty());
}

TEST_F(PrintJobTest, ACancelledSetupDialogChangesNothing) {
    dialogAnswer = false;
    EXPECT_FALSE(job.StartPrint({"T_PrintShortA"}));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(job.Running());
    EXPECT_TRUE(enabled.empty());
}

// The progress window's two ways to cancel: its button and Escape.
class PrintCancelTest : public PrintJobTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PrintCancelTest, EndsTheJobWithThePagesSent) {
    ASSERT_TRUE(job.StartPrint({"T_PrintShortA", "T_PrintWide"}));
    EXPECT_TRUE(job.Running());
    EXPECT_EQ(enabled, std::vector<bool>{false});
    ASSERT_NE(job.Progress(), nullptr);
    EXPECT_TRUE(job.Progress()->isVisible());
    EXPECT_EQ(job.Progress()->width(), 2 * job.Progress()->Label()->width());
    job.Step();
    if (GetParam()) {
        QTest::mouseClick(job.Progress()->CancelButton(), Qt::LeftButton);
    } else {
        QTest::keyClick(job.Progress(), Qt::Key_Escape);
    }
    // The window stays until the job has ended.
    ASSERT_NE(job.Progress(), nullptr);
    EXPECT_TRUE(job.Progress()->isVisible());
    while (job.Running()) {
        job.Step();
    }
    EXPECT_EQ(job.Progress(), nullptr);
    EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
    const std::vector<std::string> pages = Pages(Pdf().toStdString());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "ShortOne"));
    EXPECT_FALSE(Has(pages[0], "WideSheet"));
}

INSTANTIATE_TEST_SUITE_P(ButtonOrEscape, PrintCancelTest, ::testing::Bool());

TEST_F(PrintJobTest, PrintAllSkipsNoPrintSheetsAndShortSheetsShareAPage) {
    const std::vector<std::string> pages =
        PrintPdf({"", "T_PrintHidden", "T_PrintShortA", "T_PrintShortB"});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Has(pages[0], "MX-R77C Rev.1.00"));
    EXPECT_TRUE(Has(pages[0], "VARTEK INCORPORATED"));
    EXPECT_TRUE(Has(pages[0], "ShortOne"));
    EXPECT_TRUE(Has(pages[0], "ShortTwo"));
    EXPECT_FALSE(Has(pages[0], "HiddenText"));
    EXPECT_FALSE(Has(pages[0], "HiddenSheet"));
    // The second sheet continues below the first, inside the same frame.
    EXPECT_LT(pages[0].find("first"), pages[0].find("ShortTwo"));
}

TEST_F(PrintJobTest, AWideSheetIsSplitIntoColumnBlocksWithFrameAndFixedColumn) {
    const std::vector<std::string> pages = PrintPdf({"T_PrintWide"});
    ASSERT_GE(pages.size(), 3u);
    int pageOf[7] = {};
    for (size_t page = 0; page < pages.size(); ++page) {
        EXPECT_TRUE(Has(pages[page], "VARTEK INCORPORATED")) << page;
        EXPECT_TRUE(Has(pages[page], "WideSheet")) << page;
        EXPECT_TRUE(Has(pages[page], "R1")) << page;  // the fixed column on every block
        for (int col = 1; col <= 6; ++col) {
            if (Has(pages[page], "C0" + std::to_string(col))) {
                pageOf[col] = static_cast<int>(page) + 1;
            }
        }
    }
    for (int col = 1; col <= 6; ++col) {
        EXPECT_NE(pageOf[col], 0) << col;
    }
    // Two data columns fit beside the fixed one, but column 3 is joined to
    // column 2 in the header: a block may not start at it.
    EXPECT_NE(pageOf[1], pageOf[2]);
    EXPECT_EQ(pageOf[2], pageOf[3]);
}

TEST_F(PrintJobTest, BuiltInMarginsAt600DotsPerInch) {
    const std::vector<std::string> pages = PrintPdf({"T_PrintShortA"});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(job.PrintRect().left, 354);
    EXPECT_EQ(job.PrintRect().top, 236);
    // On paper: nothing is drawn left of the left margin, and the frame's
    // bars begin at it.
    const std::string pgm = pdftext::Run("pdftoppm -gray -r 600 -f 1 -l 1 -x 0 -y 0 -W 1200 -H 1200 '" +
                                           Pdf().toStdString() + "'");
    ASSERT_GT(pgm.size(), 1200u * 1200u);
    const std::string pixels = pgm.substr(pgm.size() - 1200u * 1200u);
    int leftmost = 1200;
    for (int y = 0; y < 1200; ++y) {
        for (int x = 0; x < leftmost; ++x) {
            if (static_cast<unsigned char>(pixels[static_cast<size_t>(y) * 1200 + x]) < 128) {
                leftmost = x;
            }
        }
    }
    EXPECT_EQ(leftmost, 354);
}

TEST_F(PrintJobTest, ABlockTooLargeForThePageIsPrintedSmallerOnItsOwnPage) {
    // The height of a word's box on the page, in points; 0 when it is not there.
    const auto wordHeight = [this](const std::string& word) {
        const std::string box = pdftext::Run("pdftotext -bbox '" + Pdf().toStdString() + "' -");
        const size_t at = box.find(">" + word + "</word>");
        const size_t line = box.rfind("<word ", at);
        if (at == std::string::npos || line == std::string::npos) {
            ADD_FAILURE() << word << " not found in\n" << box;
            return 0.0;
        }
        double xMin = 0;
        double yMin = 0;
        double xMax = 0;
        double yMax = 0;
        std::sscanf(box.c_str() + line, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"",
                    &xMin, &yMin, &xMax, &yMax);
        return yMax - yMin;
    };
    ASSERT_EQ(PrintPdf({"T_PrintShortA"}).size(), 1u);
    const double normal = wordHeight("alpha");
    // A cell whose own font is far taller than the page shrinks nothing
    // itself: the job reduces the sheet's font as far as it may and prints.
    const std::vector<std::string> pages = PrintPdf({"T_PrintTall"});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(job.Running());
    EXPECT_LT(wordHeight("small"), normal / 2);
}

}  // namespace
