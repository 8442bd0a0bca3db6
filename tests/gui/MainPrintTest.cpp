// File > Print from the main window, on the PDF printer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cuiPrintJob.h"
#include "app/gui/indMain.h"
#include "model/indActiveCell.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "tests/e2e/PdfText.h"

namespace {

constexpr int kJobBoundMs = 30000;

class MainPrintTest : public ::testing::Test {
protected:
    MainPrintTest() {
        app.settings.currentDirectory = folder.path().toStdString();
        controller.SetArguments({QCoreApplication::applicationFilePath()});
        controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
        controller.PrintJob()->setupDialog = [this](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path("app.pdf"));
            printer.setResolution(600);
            printer.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            return true;
        };
    }

    QString Path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    // As the menu item does: the command's link through the link handler.
    void Run(const char* link) {
        cmcCellObj cell;
        cell.link = indActiveCell::LinkId(link);
        indActiveCell(controller).HandleForCell(cell, cmcCellCapsule::kRequestEnter);
    }

    QTemporaryDir folder;
    guitest::AppObjects app;
    indMain controller{app.table, app.settings, app.events, app.prompt};
    TForm1 window;
};

TEST_F(MainPrintTest, AllSheetsGiveTheSameDocumentAsTheCommandLine) {
    QTRY_VERIFY(!controller.ShownSheetName().empty());
    ASSERT_EQ(controller.SaveFile(Path("doc.rcf").toStdString()), 0);
    Run("CL_Menu_File_Print_All");
    EXPECT_FALSE(window.isEnabled()) << "the window waits for the job";
    QTRY_VERIFY_WITH_TIMEOUT(!controller.PrintJob()->Running(), kJobBoundMs);
    EXPECT_TRUE(window.isEnabled());

    const std::string cli = std::string(MX_BIN_DIR) + "/mxr77c-cli print '" +
                            Path("doc.rcf").toStdString() + "' --all -o '" +
                            Path("cli.pdf").toStdString() + "' 2>/dev/null";
    ASSERT_EQ(std::system(cli.c_str()), 0);
    const std::vector<std::string> fromApp = pdftext::Pages(Path("app.pdf").toStdString());
    ASSERT_FALSE(fromApp.empty());
    EXPECT_EQ(fromApp, pdftext::Pages(Path("cli.pdf").toStdString()));
    EXPECT_TRUE(pdftext::Has(fromApp.front(), "本体設定"));
}

TEST_F(MainPrintTest, TheCurrentSheetAlone) {
    controller.CallSheet("GI_Sheet_GroupList");
    Run("CL_Menu_File_Print_Current");
    QTRY_VERIFY_WITH_TIMEOUT(!controller.PrintJob()->Running(), kJobBoundMs);
    const std::vector<std::string> pages = pdftext::Pages(Path("app.pdf").toStdString());
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(pdftext::Has(pages.front(), "グループリスト設定"));
    for (const std::string& page : pages) {
        EXPECT_FALSE(pdftext::Has(page, "本体設定"));
    }
}

}  // namespace
