// The demo mode's radio: the simulator beside the programs, reached through
// an ordinary port number for as long as the demo runs.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTest>
#include <optional>

#include "GuiTestSupport.h"
#include "app/gui/cmcDemoRadio.h"
#include "app/gui/cmcQtText.h"
#include "app/gui/cuiRadioCommands.h"
#include "link/cmcPortMap.h"
#include "model/indModelRules.h"
#include "tests/core/FakeDocHost.h"

namespace {

constexpr int32_t kPort = 150;

TEST(DemoRadioTest, ReadsFromTheSimulatorOnTheMappedPortUntilStopped) {
    guitest::AppObjects app;
    test::FakeDocHost host;
    QWidget owner;
    cmcDemoRadio demo;
    ASSERT_TRUE(demo.Start(QStringLiteral(MX_BIN_DIR "/r77c-sim"), kPort,
                           QStringLiteral(MX_BIN_DIR "/MXR77C.rcs"),
                           {QStringLiteral("--no-pace")}));
    EXPECT_TRUE(demo.Running());
    EXPECT_EQ(demo.Port(), kPort);
    EXPECT_EQ(cmcPortMap::Process().DevicePath(kPort), cmcQtText::ToPath(demo.DevicePath()));

    app.settings.comPort = kPort;
    std::optional<int32_t> result;
    {
        cuiRadioCommands commands(owner, host, app.settings);
        cmcEeprom current;
        current.SetSize(indModelRules::kImageSize);
        ASSERT_TRUE(commands.Read(current, [&result](int32_t code) { result = code; }));
        ASSERT_TRUE(QTest::qWaitFor([&result] { return result.has_value(); }, 20000));
        EXPECT_EQ(*result, 0);
        EXPECT_TRUE(indModelRules::CheckLoadedImage(current));
    }

    const QString memory = demo.MemoryFile();
    demo.Stop();
    EXPECT_FALSE(demo.Running());
    EXPECT_EQ(cmcPortMap::Process().DevicePath(kPort), cmcPortMap::DefaultPath(kPort));
    EXPECT_FALSE(QFileInfo::exists(memory));
}

TEST(DemoRadioTest, MissingSimulatorLeavesThePortsAlone) {
    cmcDemoRadio demo;
    EXPECT_FALSE(demo.Start(QStringLiteral(MX_BIN_DIR "/no-such-simulator"), kPort));
    EXPECT_FALSE(demo.Running());
    EXPECT_EQ(demo.Port(), 0);
    EXPECT_EQ(cmcPortMap::Process().DevicePath(kPort), cmcPortMap::DefaultPath(kPort));
}

}  // namespace
