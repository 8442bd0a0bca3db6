// The external character editor run: started beside the programs with the
// window's id, guarded while it runs, ended on request.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "app/gui/cmcEditorRun.h"
#include "app/gui/cmcQtText.h"
#include "tests/core/FakeDocHost.h"

namespace {

class EditorRunTest : public ::testing::Test {
protected:
    cmcGTex& table = test::BuiltinTableForTests();
    test::AnsweringPrompt prompt;
    QTemporaryDir folder;
    cmcEditorRun run{table, prompt, folder.path()};
};

TEST_F(EditorRunTest, MissingProgramShowsTheSystemsReason) {
    EXPECT_FALSE(run.Start(42));
    EXPECT_FALSE(run.Running());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].find(std::strerror(ENOENT)), std::string::npos) << prompt.asked[0];
    EXPECT_EQ(prompt.lastIcon, cmcPrompt::Icon::Stop);
    EXPECT_FALSE(run.RefuseWhileRunning());
}

TEST_F(EditorRunTest, RunningEditorGetsTheHandleAndGuardsUntilStopped) {
    // An editor that notes its arguments and then waits to be told to end.
    QFile editor(run.Program());
    ASSERT_TRUE(editor.open(QIODevice::WriteOnly));
    const QString argsFile = folder.filePath(QStringLiteral("args"));
    editor.write(("#!/bin/sh\necho \"$@\" > '" + argsFile + "'\nexec sleep 60\n").toUtf8());
    editor.close();
    editor.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(run.Start(4242));
    EXPECT_TRUE(run.Running());
    EXPECT_TRUE(run.Start(4242));  // still the one editor
    auto written = [&argsFile] {
        QFile args(argsFile);
        return args.open(QIODevice::ReadOnly) ? args.readAll() : QByteArray();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return written().endsWith('\n'); }, 10000));
    EXPECT_EQ(written(), "/handle 4242\n");

    EXPECT_TRUE(run.RefuseWhileRunning());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], table.GetLine("GI_AppInd_Editor_Open", 0));
    EXPECT_EQ(prompt.lastIcon, cmcPrompt::Icon::Exclamation);

    run.Stop();
    EXPECT_FALSE(run.Running());
    EXPECT_FALSE(run.RefuseWhileRunning());
}

}  // namespace
