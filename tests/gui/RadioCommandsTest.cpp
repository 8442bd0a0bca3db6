// The radio commands against the simulated radio on a pseudo-terminal: the
// clone jobs run on the Qt event loop, so the tests wait for their end with a
// generous bound rather than a fixed sleep.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "GridTestSupport.h"
#include "GuiTestSupport.h"
#include "app/gui/cuiInformation.h"
#include "app/gui/cuiPortSelect.h"
#include "app/gui/cuiProgress.h"
#include "app/gui/cuiRadioCommands.h"
#include "files/indImageFile.h"
#include "link/cmcPortMap.h"
#include "link/cmcSerialPort.h"
#include "model/indModelRules.h"
#include "tests/e2e/SimProcess.h"
#include "util/cmcStr.h"

namespace {

namespace fs = std::filesystem;

constexpr int kJobBoundMs = 20000;
constexpr int32_t kSimPort = 200;
constexpr int32_t kDeadPort = 199;
const char kMapKey[] = "RadioCommandsTest";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Answers as told and lets a test look at the windows while a box is up.
class WatchingPrompt : public test::AnsweringPrompt {
public:
    Answer Message(const std::string& text, const std::string& caption, Icon icon,
                   Buttons buttons) override {
        if (onMessage) {
            onMessage();
        }
        return AnsweringPrompt::Message(text, caption, icon, buttons);
    }
    std::function<void()> onMessage;
};

// The document of the tests, whose information sheet reads what the
// commands identified.
class CommandsHost : public test::FakeDocHost {
public:
    cmcPrompt& Prompt() override { return watching; }
    uint16_t RadioModelCode() override { return commands->RadioModelCode(); }
    uint16_t RadioExtraCode() override { return commands->RadioExtraCode(); }
    const RadioInfo& RadioInformation() override { return commands->RadioInformation(); }

    cuiRadioCommands* commands = nullptr;
    WatchingPrompt watching;
};

// A port that never opens and counts the attempts.
class CountingPort : public cmcSerialPort {
public:
    explicit CountingPort(int& opens) : m_opens(opens) {}
    bool Open(int, const std::string&) override {
        ++m_opens;
        return false;
    }
    void Close() override {}
    bool IsOpen() const override { return false; }
    void Write(const uint8_t*, size_t) override {}
    size_t Read(uint8_t*, size_t) override { return 0; }
    size_t InputCount() override { return 0; }
    size_t OutputPending() override { return 0; }
    bool HasWriteError() const override { return false; }

private:
    int& m_opens;
};

class RadioCommandsTest : public ::testing::Test {
protected:
    RadioCommandsTest() {
        dir = fs::temp_directory_path() / ("radio-commands-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        fs::copy_file(MX_BIN_DIR "/MXR77C.rcs", Memory(), fs::copy_options::overwrite_existing);
        cmcPortMap::SetProcess(cmcPortMap(&ports, kMapKey));
        MapPort(kDeadPort, (dir / "no-such-device").string());
        app.settings.comPort = kSimPort;
        owner.resize(500, 300);
        owner.show();
    }
    ~RadioCommandsTest() override {
        commands.reset();
        cmcPortMap::SetProcess(cmcPortMap());
        fs::remove_all(dir);
    }

    fs::path Memory() const { return dir / "radio.rcf"; }

    void MapPort(int32_t port, const std::string& path) {
        ports.WriteString(std::string(kMapKey) + "\\Ports", "COM" + std::to_string(port), path);
    }

    // The simulator with our memory file on the selected port.
    std::unique_ptr<test::SimProcess> StartSim(std::vector<std::string> faults = {}) {
        faults.insert(faults.begin(), {"--no-pace", "--memory", Memory().string()});
        auto sim = std::make_unique<test::SimProcess>(faults);
        MapPort(kSimPort, sim->Path());
        return sim;
    }

    cuiRadioCommands& Commands(std::unique_ptr<cmcSerialPort> port = nullptr) {
        commands = std::make_unique<cuiRadioCommands>(owner, host, app.settings, std::move(port));
        host.commands = commands.get();
        return *commands;
    }

    cuiRadioCommands::Done Keep() {
        return [this](int32_t code) { result = code; };
    }
    bool Ended() {
        return QTest::qWaitFor([this] { return result.has_value(); }, kJobBoundMs);
    }

    cmcEeprom OpenImage(const fs::path& path) {
        cmcEeprom image;
        image.SetSize(indModelRules::kImageSize);
        EXPECT_EQ(indImageFile(host.Table(), nullptr).Open(path.string(), image), 0) << path;
        return image;
    }

    cuiProgress* Progress() { return owner.findChild<cuiProgress*>(); }

    std::string Text(const char* key, int line = 0) { return host.Table().GetLine(key, line); }

    fs::path dir;
    guitest::AppObjects app;
    cmcMemoryKeyStore ports;
    CommandsHost host;
    QWidget owner;
    std::unique_ptr<cuiRadioCommands> commands;
    std::optional<int32_t> result;
};

TEST_F(RadioCommandsTest, ReadFillsTheImageBehindTheProgressWindow) {
    auto sim = StartSim();
    ASSERT_FALSE(sim->Path().empty());
    cmcEeprom current;
    current.SetSize(indModelRules::kImageSize);
    ASSERT_TRUE(Commands().Read(current, Keep()));
    EXPECT_FALSE(owner.isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress() != nullptr && Progress()->isVisible(); },
                                kJobBoundMs));
    EXPECT_EQ(Progress()->windowTitle().toStdString(),
              Cp932::ToUtf8(Text("GI_AppInd_Progress_Caption", 1)));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*result, 0);
    EXPECT_TRUE(Progress() == nullptr || !Progress()->isVisible());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_TRUE(host.watching.asked.empty());
    const cmcEeprom expected = OpenImage(Memory());
    EXPECT_TRUE(std::equal(current.Data(), current.Data() + current.GetSize(), expected.Data()));
}

TEST_F(RadioCommandsTest, ConfirmedWriteReachesTheRadioAndSaysSo) {
    auto sim = StartSim();
    cmcEeprom current = OpenImage(Memory());
    // Something the radio does not hold yet, inside the clone-write range.
    const uint8_t mark[] = {0xA5, 0x5A, 0xC3};
    current.SetBlock(0x02BC, mark, sizeof mark);
    ASSERT_FALSE(std::equal(mark, mark + sizeof mark, OpenImage(Memory()).Data() + 0x02BC));
    ASSERT_TRUE(Commands().Write(current, false, true, Keep()));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*result, 0);
    const std::vector<std::string> said{Text("GI_Mess_Confirm_CloneWrite"),
                                        host.Table().GetBody("GI_Mess_CloneWrite_Succeeded")};
    EXPECT_EQ(host.watching.asked, said);
    const cmcEeprom radio = OpenImage(Memory());
    EXPECT_TRUE(
        std::equal(current.Data() + 0x02BC, current.Data() + 0x0B70, radio.Data() + 0x02BC));
}

TEST_F(RadioCommandsTest, CancelledWriteSendsNothing) {
    auto sim = StartSim();
    const std::string before = Slurp(Memory());
    cmcEeprom current = OpenImage(Memory());
    const uint8_t mark[] = {0xA5};
    current.SetBlock(0x02BC, mark, sizeof mark);
    host.watching.answer = cmcPrompt::Answer::Cancel;
    ASSERT_TRUE(Commands().Write(current, false, true, Keep()));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, cuiRadioCommands::kCancelled);
    EXPECT_FALSE(commands->IsBusy());
    EXPECT_EQ(host.watching.asked, std::vector<std::string>{Text("GI_Mess_Confirm_CloneWrite")});
    EXPECT_EQ(Slurp(Memory()), before);
}

TEST_F(RadioCommandsTest, WriteWithADataErrorNeverOpensThePort) {
    int opens = 0;
    cuiRadioCommands& radio = Commands(std::make_unique<CountingPort>(opens));
    radio.SetErrorCount([] { return 1; });
    bool disabled = false;
    radio.enableMainWindow = [&disabled](bool enable) { disabled = disabled || !enable; };
    cmcEeprom current = OpenImage(Memory());
    ASSERT_TRUE(radio.Write(current, false, true, Keep()));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*result, indCloneFlow::kDataErrors);
    EXPECT_EQ(host.watching.asked,
              std::vector<std::string>{host.Table().GetBody("GI_Mess_DataError")});
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(disabled);
    // A caller that does not want to hear the end may pass no callback.
    EXPECT_TRUE(radio.Write(current, true, true, {}));
    EXPECT_EQ(host.watching.asked.size(), 2u);
}

TEST_F(RadioCommandsTest, SilentRadioShowsTheTimeOutReport) {
    auto sim = StartSim({"--silent"});
    cmcEeprom current;
    current.SetSize(indModelRules::kImageSize);
    const cmcEeprom untouched = current;
    ASSERT_TRUE(Commands().Read(current, Keep()));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*result, 4);
    // No answer, an empty line, the check list's first four lines, an empty
    // line and the closing line.
    const char* check = "GI_Mess_CloneErr_Check";
    const std::string report = Text("GI_Mess_CloneErr_Head", 4) + "\n\n" + Text(check, 0) + "\n" +
                               Text(check, 1) + "\n" + Text(check, 2) + "\n" + Text(check, 3) +
                               "\n\n" + Text(check, 9);
    EXPECT_EQ(host.watching.asked, std::vector<std::string>{report});
    EXPECT_TRUE(std::equal(current.Data(), current.Data() + current.GetSize(), untouched.Data()));
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(RadioCommandsTest, RadioFallingSilentMidwayIsReportedAboveTheProgressWindow) {
    auto sim = StartSim({"--stop-midway"});
    cmcEeprom current;
    current.SetSize(indModelRules::kImageSize);
    bool progressSeen = false;
    bool progressOverReport = true;
    host.watching.onMessage = [&] {
        progressOverReport = Progress() != nullptr && Progress()->isVisible();
    };
    ASSERT_TRUE(Commands().Read(current, Keep()));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            progressSeen = progressSeen || (Progress() != nullptr && Progress()->isVisible());
            return result.has_value();
        },
        kJobBoundMs));
    EXPECT_EQ(*result, 4);
    EXPECT_TRUE(progressSeen);
    ASSERT_EQ(host.watching.asked.size(), 1u);
    EXPECT_EQ(host.watching.asked[0].rfind(Text("GI_Mess_CloneErr_Head", 4), 0), 0u);
    EXPECT_FALSE(progressOverReport);
}

TEST_F(RadioCommandsTest, RadioInformationShowsTheModelName) {
    auto sim = StartSim();
    ASSERT_TRUE(Commands().RadioInfo(Keep()));
    ASSERT_TRUE(Ended());
    ASSERT_EQ(*result, 0);
    auto* window = owner.findChild<cuiInformation*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), Cp932::ToUtf8(Text("GI_Sys_AppTitle")));
    EXPECT_FALSE(owner.isEnabled());
    auto* panel = window->findChild<cuiSheetPanel*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(panel->Sheet(), nullptr);
    const gridtest::CellPos model = gridtest::FindLinked(*panel->Sheet(), "CL_CloneInfo_Model");
    EXPECT_EQ(gridtest::Shown(*panel->Sheet(), model), "KT-R77C");
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("informationOk")),
                      Qt::LeftButton);
    gridtest::FlushDeleted();
    EXPECT_EQ(owner.findChild<cuiInformation*>(), nullptr);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(RadioCommandsTest, PortDialogOkStoresThePort) {
    cuiRadioCommands& radio = Commands();
    QTimer::singleShot(0, [this] {
        auto* dialog = owner.findChild<cuiPortSelect*>();
        ASSERT_NE(dialog, nullptr);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("portInput"));
        edit->selectAll();
        QTest::keyClicks(edit, "12");
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("portOk")),
                          Qt::LeftButton);
    });
    EXPECT_TRUE(radio.PortDialog(0));
    EXPECT_EQ(app.settings.comPort, 12);
}

TEST_F(RadioCommandsTest, SearchSelectsThePortTheRadioAnswersOn) {
    auto sim = StartSim();
    app.settings.comPort = 1;
    cuiRadioCommands& radio = Commands();
    std::vector<int32_t> candidates{kDeadPort, kSimPort};
    radio.SetScanner([&candidates] { return candidates; });
    ASSERT_TRUE(radio.Search(Keep()));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(app.settings.comPort, kSimPort);
    const std::string found =
        cmcStr::Format(Text("GI_Mess_PortSearch_Succeeded").c_str(), static_cast<int>(kSimPort));
    EXPECT_EQ(host.watching.asked, std::vector<std::string>{found});
}

TEST_F(RadioCommandsTest, SearchWithoutPortsSaysSoAndKeepsThePort) {
    cuiRadioCommands& radio = Commands();
    radio.SetScanner([] { return std::vector<int32_t>{}; });
    ASSERT_TRUE(radio.Search(Keep()));
    ASSERT_TRUE(Ended());
    EXPECT_NE(*result, 0);
    EXPECT_EQ(app.settings.comPort, kSimPort);
    EXPECT_EQ(host.watching.asked, std::vector<std::string>{Text("GI_Mess_PortErr_Search")});
}

}  // namespace
