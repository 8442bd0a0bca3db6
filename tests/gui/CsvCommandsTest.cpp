#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "GridTestSupport.h"
#include "GuiTestSupport.h"
#include "app/cmcDocument.h"
#include "app/gui/cuiCsvCommands.h"
#include "app/gui/cuiImportReport.h"
#include "model/cmcChType.h"
#include "model/indImageMap.h"
#include "model/indModelRules.h"
#include "text/BuiltinTable.h"
#include "util/Cp932.h"

namespace {

namespace imap = indImageMap;

constexpr int32_t kGroup = static_cast<int32_t>(cmcChType::kGrpList);
constexpr int32_t kIndv = static_cast<int32_t>(cmcChType::kIndvList);

// Answers like the scripted prompt and keeps the folder each dialog was
// opened in.
class FolderPrompt : public guitest::ScriptedPrompt {
public:
    Answer OpenFileDialog(const FileRequest& request, std::string& path) override {
        requests.push_back(request);
        return ScriptedPrompt::OpenFileDialog(request, path);
    }
    Answer SaveFileDialog(const FileRequest& request, std::string& path) override {
        requests.push_back(request);
        return ScriptedPrompt::SaveFileDialog(request, path);
    }

    std::vector<FileRequest> requests;
};

std::string Golden(const char* name) {
    return std::string(MX_TEST_DATA) + "/csv/" + name;
}

std::string GroupName(const cmcEeprom& image, int32_t index) {
    std::string name;
    for (int32_t at = imap::GrpRecord(index) + imap::Grp::kName; image.GetByte(at) != 0; ++at) {
        name += static_cast<char>(image.GetByte(at));
    }
    return name;
}

class CsvCommandsTest : public ::testing::Test {
protected:
    CsvCommandsTest() {
        app.table.SetLines(BuiltinTable::Lines());
        document.LoadInitialImage(MX_BIN_DIR, 0);
        document.Current().Assign(document.Initial());
        app.events.Listen(cmcEvMan::Listener(this, &CsvCommandsTest::OnEvent));
        owner.resize(600, 400);
        owner.show();
    }
    ~CsvCommandsTest() override {
        app.events.Unlisten(cmcEvMan::Listener(this, &CsvCommandsTest::OnEvent));
    }

    cuiCsvCommands Commands() {
        return cuiCsvCommands(app.table, prompt, app.events, document, app.settings,
                              {indModelRules::kModelCode, indModelRules::kExtraCode}, &owner);
    }
    void OnEvent(const cmcEvent& event) { events.push_back(event.code); }
    bool Heard(uint32_t code) const {
        return std::find(events.begin(), events.end(), code) != events.end();
    }
    std::string Path(const char* name) { return folder.filePath(name).toStdString(); }

    QTemporaryDir folder;
    guitest::AppObjects app;
    FolderPrompt prompt;
    cmcDocument document{app.table, prompt, app.settings, app.events, indModelRules::kImageSize};
    QWidget owner;
    std::vector<uint32_t> events;
};

TEST_F(CsvCommandsTest, ExportWritesTheDocumentsListWhereTheDialogSaysAndRemembersTheFolder) {
    const uint8_t name[] = "TEAM B";
    document.Current().SetBlock(imap::GrpRecord(1) + imap::Grp::kName, name, 6);
    const std::string path = Path("groups.csv");
    prompt.paths = {path};
    EXPECT_EQ(Commands().ExportWithDialog(kGroup), 0);
    EXPECT_TRUE(Heard(cuiCsvCommands::kCommitEdit));
    EXPECT_TRUE(prompt.asked.empty());
    ASSERT_EQ(prompt.requests.size(), 1u);
    EXPECT_EQ(prompt.requests[0].defaultExtension, "csv");
    EXPECT_EQ(prompt.requests[0].filter, app.table.GetLine("GI_Sys_Dialog_FOpenCsv", 1));
    std::ifstream written(path, std::ios::binary);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str().rfind("#40010021\r\n", 0), 0u);
    EXPECT_NE(text.str().find("\r\n2,\"TEAM B\"\r\n3,\r\n"), std::string::npos);
    EXPECT_EQ(app.settings.currentDirectory, folder.path().toStdString());

    prompt.paths = {""};
    EXPECT_NE(Commands().ImportWithDialog(kGroup), 0);
    ASSERT_EQ(prompt.requests.size(), 2u);
    EXPECT_EQ(prompt.requests[1].folder, folder.path().toStdString());
}

TEST_F(CsvCommandsTest, ImportAnsweredOkTakesTheFileAndRepaints) {
    prompt.paths = {Golden("group_quoting.csv")};
    prompt.answers = {cmcPrompt::Answer::Ok};
    EXPECT_EQ(Commands().ImportWithDialog(kGroup), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], app.table.GetBody("GI_Mess_Confirm_ImportFile"));
    EXPECT_EQ(GroupName(document.Current(), 4), "A,B");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), cuiCsvCommands::kCommitEdit);
    EXPECT_TRUE(Heard(cuiCsvCommands::kCellsChanged));
    EXPECT_EQ(document.InitialFolder(), std::string(MX_TEST_DATA) + "/csv");
}

TEST_F(CsvCommandsTest, ImportedListCountsAsAChangeBeforeAnyEdit) {
    int checks = 0;
    cmcDocument::Hooks hooks;
    hooks.warningCheck = [&checks] { ++checks; };
    document.SetHooks(hooks);
    document.Start();
    prompt.answers = {cmcPrompt::Answer::Ok, cmcPrompt::Answer::Cancel};
    ASSERT_EQ(Commands().ImportFile(kGroup, Golden("group_quoting.csv")), 0);
    EXPECT_EQ(document.ConfirmSaveChanges(false), cmcPrompt::Answer::Cancel);
    EXPECT_EQ(prompt.asked.size(), 2u) << "closing now must ask to save the import";
    EXPECT_TRUE(QTest::qWaitFor([&checks] { return checks > 0; }, 2000));
    document.Stop();
}

TEST_F(CsvCommandsTest, CancelledQuestionLeavesTheImageAlone) {
    const cmcEeprom before = document.Current();
    const std::string directory = app.settings.currentDirectory;
    prompt.answers = {cmcPrompt::Answer::Cancel};
    EXPECT_NE(Commands().ImportFile(kGroup, Golden("group_quoting.csv")), 0);
    EXPECT_TRUE(document.Current().Equals(before));
    EXPECT_FALSE(Heard(cuiCsvCommands::kCellsChanged));
    EXPECT_EQ(app.settings.currentDirectory, directory);
}

TEST_F(CsvCommandsTest, BadFileShowsItsLinesAndLeavesTheImageAlone) {
    const uint8_t name[] = "KEEP";
    document.Current().SetBlock(imap::GrpRecord(0) + imap::Grp::kName, name, 4);
    const cmcEeprom before = document.Current();
    const std::string directory = app.settings.currentDirectory;
    prompt.answers = {cmcPrompt::Answer::Ok, cmcPrompt::Answer::Ok};
    EXPECT_EQ(Commands().ImportFile(kGroup, Golden("group_multiline_error.csv")), 10);
    ASSERT_EQ(prompt.asked.size(), 2u);
    const std::string shown = Cp932::ToUtf8(prompt.asked[1]);
    EXPECT_NE(shown.find("5 - 6 行目"), std::string::npos) << shown;
    EXPECT_NE(shown.find(Cp932::ToUtf8(app.table.GetBody("GI_Mess_ImportErr_ChNo"))),
              std::string::npos);
    EXPECT_TRUE(document.Current().Equals(before));
    EXPECT_EQ(app.settings.currentDirectory, directory);
}

TEST_F(CsvCommandsTest, AdjustedValuesOpenTheReportWhichItsButtonCloses) {
    QString title, firstLine;
    int lineCount = 0;
    int buttonInset = -1;
    bool clicked = false;
    // A timer of the test's own, so that it cannot outlive the test.
    QTimer finder;
    finder.setSingleShot(true);
    QObject::connect(&finder, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* report = qobject_cast<cuiImportReport*>(top);
            if (report == nullptr || !report->isVisible()) {
                continue;
            }
            auto* text = report->findChild<QPlainTextEdit*>(QStringLiteral("importReportText"));
            auto* close = report->findChild<QPushButton*>(QStringLiteral("importReportClose"));
            title = report->windowTitle();
            const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
            firstLine = lines.front();
            lineCount = static_cast<int>(lines.size());
            buttonInset = text->geometry().right() - close->geometry().right();
            EXPECT_TRUE(text->isReadOnly());
            EXPECT_TRUE(text->verticalScrollBar()->isVisible());
            EXPECT_FALSE(report->windowFlags() & Qt::WindowMinMaxButtonsHint);
            // Should the click not close it, this does, and the test fails.
            QTimer::singleShot(3000, report, &QDialog::reject);
            QTest::mouseClick(close, Qt::LeftButton);
            clicked = !report->isVisible();
        }
    });
    finder.start(0);
    prompt.answers = {cmcPrompt::Answer::Ok};
    EXPECT_EQ(Commands().ImportFile(kIndv, Golden("indv_adjusted.csv")), 0);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(title, QString::fromUtf8("インポート結果"));
    EXPECT_EQ(firstLine, QString::fromUtf8("3 行目 [製造者ID]項目: 補正しました。"));
    EXPECT_EQ(lineCount, 5);
    EXPECT_EQ(buttonInset, owner.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

TEST_F(CsvCommandsTest, TheAddressBookHasNoFileForm) {
    prompt.paths = {Path("book.csv")};
    EXPECT_NE(Commands().ExportWithDialog(cuiCsvCommands::kAddressBook), 0);
    EXPECT_TRUE(prompt.requests.empty());
    EXPECT_TRUE(events.empty());
}

struct ShownSheet {
    const char* name;
    int32_t kind;
    bool offered;
};

// Names the case by its sheet in the test list.
void PrintTo(const ShownSheet& shown, std::ostream* out) {
    *out << shown.name;
}

class CsvSheetStateTest : public ::testing::TestWithParam<ShownSheet> {};

TEST_P(CsvSheetStateTest, TheShownSheetGivesTheKindAndTheMenuStates) {
    gridtest::Fixture shown(GetParam().name);
    ASSERT_TRUE(shown.built);
    EXPECT_EQ(cuiCsvCommands::SheetKind(&shown.Sheet()), GetParam().kind);
    EXPECT_EQ(cuiCsvCommands::ImportEnabled(&shown.Sheet()), GetParam().offered);
    EXPECT_EQ(cuiCsvCommands::ExportEnabled(&shown.Sheet()), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(Sheets, CsvSheetStateTest,
                         ::testing::Values(ShownSheet{"GI_Sheet_SelCallList", kIndv, true},
                                           ShownSheet{"GI_Sheet_GroupList", kGroup, true},
                                           ShownSheet{"GI_Sheet_BaseSettings", 0, false}));

TEST(CsvSheetState, NoSheetShownOffersNothing) {
    EXPECT_EQ(cuiCsvCommands::SheetKind(nullptr), 0);
    EXPECT_FALSE(cuiCsvCommands::ImportEnabled(nullptr));
    EXPECT_FALSE(cuiCsvCommands::ExportEnabled(nullptr));
}

}  // namespace
