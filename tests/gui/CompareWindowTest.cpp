// Program > Compare and File > Compare: the document against the radio or a
// file, in a window of differing cells.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/cuiCompareWindow.h"
#include "app/gui/cuiMainViews.h"
#include "app/gui/indMain.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indImageFile.h"
#include "link/cmcPortMap.h"
#include "model/indActiveCell.h"
#include "model/indImageMap.h"
#include "model/indModelRules.h"
#include "sheet/cuiMenu.h"
#include "sheet/qt/cuiMenuView.h"
#include "tests/e2e/SimProcess.h"

namespace {

namespace fs = std::filesystem;

constexpr int kJobBoundMs = 20000;
constexpr int32_t kSimPort = 202;
const char kMapKey[] = "CompareWindowTest";

class CompareWindowTest : public ::testing::Test {
protected:
    CompareWindowTest() {
        dir = fs::temp_directory_path() / ("compare-window-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        cmcPortMap::SetProcess(cmcPortMap(&ports, kMapKey));
        app.settings.comPort = kSimPort;
        app.settings.currentDirectory = dir.string();
        controller.SetArguments({QCoreApplication::applicationFilePath()});
        controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
    }
    ~CompareWindowTest() override {
        cmcPortMap::SetProcess(cmcPortMap());
        fs::remove_all(dir);
    }

    // The document's image with another device name, saved as a file.
    fs::path Renamed(const char* name, const char* deviceName) {
        cmcEeprom image = controller.Document().Current();
        for (int32_t i = 0; i < indImageMap::kNameTextBytes; ++i) {
            image.SetByte(
                indImageMap::kOwnName + i,
                static_cast<uint8_t>(deviceName[std::min<size_t>(i, strlen(deviceName))]));
        }
        const fs::path path = dir / name;
        EXPECT_EQ(indImageFile(app.table, nullptr).Save(path.string(), image), 0);
        return path;
    }
    QAction* Item(const char* link) {
        const int32_t id = indActiveCell::LinkId(link);
        std::function<cuiMenuItem*(cuiMenuItem&)> find = [&](cuiMenuItem& at) -> cuiMenuItem* {
            if (at.cell && at.cell->link == id) {
                return &at;
            }
            for (const auto& child : at.children) {
                if (cuiMenuItem* found = find(*child)) {
                    return found;
                }
            }
            return nullptr;
        };
        cuiMenuItem* item = find(controller.Views()->Menu()->Root());
        return item ? controller.Views()->MenuView()->ActionFor(*item) : nullptr;
    }
    cuiCompareWindow* Shown() { return window.findChild<cuiCompareWindow*>("compareWindow"); }
    QString Cell(int row, int col) {
        auto* table = Shown()->findChild<QTableWidget*>("compareTable");
        return table && table->item(row, col) ? table->item(row, col)->text() : QString();
    }
    QString Text(int line) {
        return cmcQtText::FromCp932(app.table.GetLine("GI_AppInd_Compare", line));
    }

    fs::path dir;
    cmcMemoryKeyStore ports;
    guitest::AppObjects app;
    std::unique_ptr<test::SimProcess> sim;
    indMain controller{app.table, app.settings, app.events, app.prompt};
    TForm1 window;
};

TEST_F(CompareWindowTest, ProgramCompareShowsWhatTheRadioHoldsAndKeepsTheDocument) {
    sim = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--no-pace", "--memory", Renamed("radio.rcf", "RADIO").string()});
    ports.WriteString(std::string(kMapKey) + "\\Ports", "COM" + std::to_string(kSimPort),
                      sim->Path());
    const cmcEeprom before = controller.Document().Current();
    QAction* compare = Item("CL_Menu_Clone_Compare");
    ASSERT_NE(compare, nullptr);
    EXPECT_EQ(compare->text(), QStringLiteral("比較(&C)"));
    compare->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Shown() != nullptr, kJobBoundMs);
    EXPECT_EQ(Shown()->windowTitle(), Text(0));
    EXPECT_EQ(Cell(0, 0), QStringLiteral("本体設定"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("機器名称"));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("RADIO"));
    auto* table = Shown()->findChild<QTableWidget*>("compareTable");
    EXPECT_EQ(table->horizontalHeaderItem(4)->text(), Text(6));
    EXPECT_TRUE(std::equal(before.Data(), before.Data() + before.GetSize(),
                           controller.Document().Current().Data()))
        << "the document stays as it was";
    EXPECT_FALSE(controller.Document().IsModified());
}

TEST_F(CompareWindowTest, FileCompareListsTheDifferencesOrSaysThereAreNone) {
    app.prompt.paths = {Renamed("other.rcf", "OTHER").string()};
    QAction* compare = Item("CL_Menu_File_Compare");
    ASSERT_NE(compare, nullptr);
    compare->trigger();
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->windowTitle(), Text(1));
    EXPECT_EQ(Cell(0, 3), QString());
    EXPECT_EQ(Cell(0, 4), QStringLiteral("OTHER"));
    // The same file as the document: the window says so, and replaces the
    // earlier one.
    cmcEeprom same = controller.Document().Current();
    const fs::path path = dir / "same.rcf";
    ASSERT_EQ(indImageFile(app.table, nullptr).Save(path.string(), same), 0);
    app.prompt.paths = {path.string()};
    compare->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window.findChildren<cuiCompareWindow*>().size(), 1);
    EXPECT_NE(Shown()->findChild<QWidget*>("compareNone"), nullptr);
    // Cancelled file dialog: no window.
    Shown()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    compare->trigger();
    EXPECT_EQ(Shown(), nullptr);
}

}  // namespace
