// The main window's radio commands against the simulated radio: what a
// clone read does to the document and tree, and the write-after-open switch.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/TForm1.h"
#include "app/gui/cmcImageLists.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/indMain.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indImageFile.h"
#include "link/cmcPortMap.h"
#include "model/indModelRules.h"
#include "sheet/cuiTree.h"
#include "tests/e2e/SimProcess.h"

namespace {

namespace fs = std::filesystem;

constexpr int kJobBoundMs = 20000;
constexpr int32_t kSimPort = 201;
const char kMapKey[] = "MainRadioTest";
// A byte of the individual list, inside every clone range.
constexpr int32_t kMarkAddress = 0x0A00;

class MainRadioTest : public ::testing::Test {
protected:
    MainRadioTest() {
        dir = fs::temp_directory_path() / ("main-radio-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        cmcPortMap::SetProcess(cmcPortMap(&ports, kMapKey));
        app.settings.comPort = kSimPort;
        app.settings.currentDirectory = dir.string();
    }
    ~MainRadioTest() override {
        cmcPortMap::SetProcess(cmcPortMap());
        fs::remove_all(dir);
    }

    // A clone image file with one marked byte.
    fs::path ImageFile(const char* name, uint8_t mark) {
        cmcEeprom image;
        image.SetSize(indModelRules::kImageSize);
        indImageFile files(app.table, nullptr);
        EXPECT_EQ(files.Open(MX_BIN_DIR "/MXR77C.rcs", image), 0);
        image.SetByte(kMarkAddress, mark);
        EXPECT_EQ(files.Save((dir / name).string(), image), 0);
        return dir / name;
    }
    uint8_t MarkIn(const fs::path& file) {
        cmcEeprom image;
        image.SetSize(indModelRules::kImageSize);
        EXPECT_EQ(indImageFile(app.table, nullptr).Open(file.string(), image), 0);
        return image.GetByte(kMarkAddress);
    }
    void StartSim(const fs::path& memory) {
        sim = std::make_unique<test::SimProcess>(
            std::vector<std::string>{"--no-pace", "--memory", memory.string()});
        ports.WriteString(std::string(kMapKey) + "\\Ports", "COM" + std::to_string(kSimPort),
                          sim->Path());
    }
    void Start(QStringList arguments = {}) {
        arguments.prepend(QCoreApplication::applicationFilePath());
        controller.SetArguments(arguments);
        controller.Startup(window, cmcImageLists::Tree(), cmcImageLists::Toolbar());
    }

    fs::path dir;
    cmcMemoryKeyStore ports;
    guitest::AppObjects app;
    std::unique_ptr<test::SimProcess> sim;
    indMain controller{app.table, app.settings, app.events, app.prompt};
    TForm1 window;
};

TEST_F(MainRadioTest, CloneReadMakesAnUntitledModifiedDocumentAndRebuildsTheTree) {
    StartSim(ImageFile("radio.rcf", 0x5A));
    Start();
    const cuiTree* before = controller.Tree();
    controller.CloneRead();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return controller.Document().Current().GetByte(kMarkAddress) == 0x5A; },
        kJobBoundMs));
    QTRY_VERIFY_WITH_TIMEOUT(window.isEnabled(), kJobBoundMs);
    EXPECT_TRUE(controller.Document().IsModified());
    EXPECT_TRUE(controller.Document().FileName().empty());
    EXPECT_NE(controller.Tree(), before) << "the tree is built anew";
    EXPECT_TRUE(app.prompt.asked.empty());
}

TEST_F(MainRadioTest, WriteSwitchWritesTheFileWithoutAskingAndCloses) {
    const fs::path memory = ImageFile("radio.rcf", 0x11);
    StartSim(memory);
    Start({QStringLiteral("/w"), cmcQtText::FromPath(ImageFile("batch.rcf", 0x77).string())});
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), kJobBoundMs);
    sim->Stop();
    EXPECT_EQ(MarkIn(memory), 0x77);
    // Only the success box; no confirmation.
    ASSERT_EQ(app.prompt.asked.size(), 1u);
    EXPECT_EQ(app.prompt.asked[0], app.table.GetBody("GI_Mess_CloneWrite_Succeeded"));
}

}  // namespace
