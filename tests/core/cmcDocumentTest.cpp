#include "app/cmcDocument.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "FirstInstanceLock.h"
#include "TestSupport.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/Cp932.h"

namespace {

// Answers boxes and dialogs from scripts and records what was asked.
class ScriptedPrompt : public cmcPrompt {
public:
    Answer Message(const std::string& text, const std::string&, Icon, Buttons) override {
        asked.push_back(text);
        return Next(answers);
    }
    Answer OpenFileDialog(const FileRequest& request, std::string& path) override {
        return Dialog(request, path);
    }
    Answer SaveFileDialog(const FileRequest& request, std::string& path) override {
        return Dialog(request, path);
    }

    std::deque<Answer> answers;
    std::deque<std::string> paths;  // empty entry: the dialog is cancelled
    std::vector<std::string> asked;
    std::vector<FileRequest> dialogs;

private:
    static Answer Next(std::deque<Answer>& script) {
        Answer answer = script.empty() ? Answer::Ok : script.front();
        if (!script.empty()) {
            script.pop_front();
        }
        return answer;
    }
    Answer Dialog(const FileRequest& request, std::string& path) {
        dialogs.push_back(request);
        if (paths.empty() || paths.front().empty()) {
            if (!paths.empty()) {
                paths.pop_front();
            }
            return Answer::Cancel;
        }
        path = paths.front();
        paths.pop_front();
        return Answer::Ok;
    }
};

std::string Utf8(const std::string& cp932) {
    return Cp932::ToUtf8(cp932);
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        table.SetLines(BuiltinTable::Lines());
        document.LoadInitialImage(MX_BIN_DIR, 0);
        document.SetInitialFolder(dir.Root());
        document.SetHooks(hooks);
        document.Start();
    }

    std::string Untitled() { return table.GetLine("GI_Sys_FName_Untitled", 0); }
    std::string AppTitle() { return table.GetLine("GI_Sys_AppTitle", 0); }
    std::string SaveQuestion(const std::string& name) {
        std::string text = table.GetBody("GI_Mess_Confirm_WriteFile");
        return text.replace(text.find("%s"), 2, name);
    }
    // An edit somewhere the file keeps, as a cell write would make it.
    void Edit() {
        cmcEeprom& image = document.Current();
        image.SetByte(0x10, static_cast<uint8_t>(image.GetByte(0x10) ^ 0x5A));
    }
    // An edit the document has noticed, as after a cell write.
    void MakeModified() {
        Edit();
        document.IsModified();
    }
    std::string SavedCopy(const std::string& name) {
        prompt.paths.push_back(dir.Path(name));
        EXPECT_EQ(document.SaveAsWithDialog(), 0);
        return dir.Path(name);
    }

    test::TempDir dir;
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope{host};
    cmcGTex table;
    ScriptedPrompt prompt;
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    cmcEvMan events{host};
    cmcDocument document{table, prompt, settings, events, 2949};
    std::vector<std::string> titles;
    int sheetsClosed = 0;
    cmcDocument::Hooks hooks = MakeHooks();

private:
    cmcDocument::Hooks MakeHooks() {
        cmcDocument::Hooks made;
        made.titleChanged = [this](const std::string& t) { titles.push_back(t); };
        made.closeSheet = [this] { ++sheetsClosed; };
        return made;
    }
};

TEST_F(DocumentTest, StartsUntitledAndUnmodifiedWithTheInitialImage) {
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.FileName().empty());
    EXPECT_TRUE(document.Current().Equals(document.Initial()));
    EXPECT_EQ(document.Title(), Untitled() + " - " + AppTitle());
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), document.Title());
}

TEST_F(DocumentTest, ModifiedIsFoundByComparingImages) {
    Edit();
    Edit();  // back to the saved bytes
    EXPECT_FALSE(document.IsModified());
    Edit();
    EXPECT_TRUE(document.IsModified());
    Edit();
    EXPECT_TRUE(document.IsModified()) << "once found, the flag stays until a save or New";
}

TEST_F(DocumentTest, NewOnAnUnmodifiedDocumentAsksNothing) {
    EXPECT_EQ(document.New(), 0);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(sheetsClosed, 1);
}

TEST_F(DocumentTest, NewOnAModifiedDocumentAsksWithTheUntitledName) {
    Edit();
    ASSERT_TRUE(document.IsModified());
    prompt.answers = {cmcPrompt::Answer::No};
    EXPECT_EQ(document.New(), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], SaveQuestion(Untitled()));
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.Current().Equals(document.Initial()));
}

TEST_F(DocumentTest, CancellingTheQuestionKeepsTheEdit) {
    MakeModified();
    prompt.answers = {cmcPrompt::Answer::Cancel};
    EXPECT_NE(document.New(), 0);
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(document.Current().Equals(document.Initial()));
}

TEST_F(DocumentTest, YesOnAnUntitledDocumentOpensSaveAsAndItsCancelCancels) {
    MakeModified();
    prompt.answers = {cmcPrompt::Answer::Yes};
    prompt.paths = {""};
    EXPECT_NE(document.New(), 0);
    ASSERT_EQ(prompt.dialogs.size(), 1u);
    EXPECT_EQ(prompt.dialogs[0].fileName, Utf8(Untitled()));
    EXPECT_EQ(prompt.dialogs[0].folder, dir.Root());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, SaveAsTitlesTheDocumentAndRemembersTheFile) {
    Edit();
    std::string path = SavedCopy("radio.rcf");
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.FileName(), path);
    EXPECT_EQ(document.Title(), "radio.rcf - " + AppTitle());
    EXPECT_EQ(settings.recent.Get(0, {}), path);
    EXPECT_EQ(settings.currentDirectory, dir.Root());
}

TEST_F(DocumentTest, SaveOfATitledDocumentAsksNoName) {
    SavedCopy("a.rcf");
    Edit();
    EXPECT_EQ(document.Save(), 0);
    EXPECT_EQ(prompt.dialogs.size(), 1u);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, OpenBringsBackTheSavedBytes) {
    Edit();
    std::string path = SavedCopy("edited.rcf");
    cmcEeprom edited;
    edited.Assign(document.Current());
    EXPECT_EQ(document.New(), 0);
    int closedBefore = sheetsClosed;
    prompt.paths = {path};
    EXPECT_EQ(document.OpenWithDialog(), 0);
    EXPECT_TRUE(document.Current().Equals(edited));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.FileName(), path);
    EXPECT_EQ(sheetsClosed, closedBefore + 1);
}

TEST_F(DocumentTest, AFailedOpenLeavesTheDocumentAsItWas) {
    std::string good = SavedCopy("good.rcf");
    MakeModified();
    cmcEeprom before;
    before.Assign(document.Current());
    std::string bad = dir.Path("bad.rcf");
    test::WriteFile(bad, "not a clone image\r\n");
    EXPECT_NE(document.OpenFile(bad, false), 0);
    EXPECT_FALSE(prompt.asked.empty()) << "the reader shows its own error";
    EXPECT_EQ(document.FileName(), good);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.Current().Equals(before));
    EXPECT_EQ(settings.recent.Get(0, {}), good);
}

TEST_F(DocumentTest, RecentEntriesBeyondTheFirstAreHiddenWhenEmpty) {
    SavedCopy("one.rcf");
    struct Case {
        int index;
        bool enabled;
        bool visible;
    };
    for (Case c : {Case{0, true, true}, Case{1, false, false}, Case{3, false, false}}) {
        EXPECT_EQ(document.RecentEnabled(c.index), c.enabled) << c.index;
        EXPECT_EQ(document.RecentVisible(c.index), c.visible) << c.index;
    }
    settings.recent.Clear();
    EXPECT_FALSE(document.RecentEnabled(0));
    EXPECT_TRUE(document.RecentVisible(0));
}

TEST_F(DocumentTest, RecentCaptionsNameFilesOfTheInitialFolderByNameAlone) {
    const std::string here = SavedCopy("one.rcf");
    settings.recent.AddLast("/elsewhere/two.rcf");
    struct Case {
        std::string folder;
        std::string first;
        std::string second;
    };
    for (const Case& c : {Case{dir.Root(), "&1 one.rcf", "&2 /elsewhere/two.rcf"},
                          Case{dir.Root() + "/", "&1 one.rcf", "&2 /elsewhere/two.rcf"},
                          Case{"/elsewhere", "&1 " + here, "&2 two.rcf"},
                          Case{"", "&1 " + here, "&2 /elsewhere/two.rcf"}}) {
        document.SetInitialFolder(c.folder);
        EXPECT_EQ(document.RecentCaption(0), c.first) << c.folder;
        EXPECT_EQ(document.RecentCaption(1), c.second) << c.folder;
    }
    // Opening goes by the full path whatever the caption shows.
    document.SetInitialFolder("/elsewhere");
    EXPECT_EQ(document.OpenRecent(0), 0);
    EXPECT_EQ(document.FileName(), here);
}

TEST_F(DocumentTest, OpenRecentAsksBeforeDroppingChanges) {
    std::string path = SavedCopy("recent.rcf");
    MakeModified();
    prompt.answers = {cmcPrompt::Answer::Cancel};
    EXPECT_NE(document.OpenRecent(0), 0);
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0], SaveQuestion("recent.rcf"));
    prompt.answers = {cmcPrompt::Answer::No};
    EXPECT_EQ(document.OpenRecent(0), 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_NE(document.OpenRecent(2), 0);
}

TEST_F(DocumentTest, ADisabledWindowRefusesToCloseWithoutAsking) {
    MakeModified();
    EXPECT_FALSE(document.CloseQuery(false));
    EXPECT_TRUE(prompt.asked.empty());
    prompt.answers = {cmcPrompt::Answer::No};
    EXPECT_TRUE(document.CloseQuery(true));
}

TEST_F(DocumentTest, TheVersionWordInAnyCaseShowsTheVersionBoxOnce) {
    std::string typed = "xVersion";
    std::vector<bool> shown;
    for (char c : typed + "n") {
        shown.push_back(document.AboutKey(c));
    }
    std::vector<bool> expected(typed.size() + 1, false);
    expected[typed.size() - 1] = true;
    EXPECT_EQ(shown, expected);
    std::string format = table.GetLine("GI_App_About_VersionBox", 0);
    EXPECT_EQ(document.VersionText(), format.substr(0, format.find('%')) + "1.02");
}

TEST_F(DocumentTest, StatusEventStoresColoursAndText) {
    int repaints = 0;
    hooks.statusChanged = [&] { ++repaints; };
    document.SetHooks(hooks);
    EXPECT_EQ(document.StatusBackColor(), cmcDocument::kButtonFace);
    events.SendData(cmcDocument::kStatusPanel, 0x0000FF, 0x00FF00, "note");
    EXPECT_EQ(document.StatusText(), "note");
    EXPECT_EQ(document.StatusTextColor(), 0x0000FFu);
    EXPECT_EQ(document.StatusBackColor(), 0x00FF00u);
    EXPECT_EQ(repaints, 1);
}

struct Heard {
    void On(const cmcEvent& e) { codes.push_back({e.code, e.p1}); }
    std::vector<std::pair<uint32_t, int32_t>> codes;
};

TEST_F(DocumentTest, EntryEventsKeepTheCountsAndTellTheViews) {
    std::vector<std::pair<int32_t, int32_t>> counts;
    hooks.entryCount = [&](int32_t type, int32_t delta) { counts.push_back({type, delta}); };
    document.SetHooks(hooks);
    Heard heard;
    events.Listen(cmcEvMan::Listener(&heard, &Heard::On));
    events.Send(cmcDocument::kEntryDeleted, 0, 5);
    events.Send(cmcDocument::kEntryInserted, 1, 2);
    events.Unlisten(cmcEvMan::Listener(&heard, &Heard::On));
    EXPECT_EQ(counts, (std::vector<std::pair<int32_t, int32_t>>{{6, -1}, {7, 1}}));
    std::vector<uint32_t> codes;
    for (auto& c : heard.codes) {
        codes.push_back(c.first);
    }
    // Registered after the document, this listener hears the follow-ups
    // before the event that caused them.
    EXPECT_EQ(codes, (std::vector<uint32_t>{34, 30, 18, 32, 33, 30, 31}));
    EXPECT_EQ(heard.codes[2].second, 5) << "event 18 carries the deleted index";
}

TEST_F(DocumentTest, SettingsEventRefreshesMenusAndToolbar) {
    Heard heard;
    events.Listen(cmcEvMan::Listener(&heard, &Heard::On));
    events.Send(cmcDocument::kSettingsChanged, 0, 0);
    events.Unlisten(cmcEvMan::Listener(&heard, &Heard::On));
    ASSERT_EQ(heard.codes.size(), 3u);
    EXPECT_EQ(heard.codes[0].first, 9u);
    EXPECT_EQ(heard.codes[1].first, 20u);
}

TEST_F(DocumentTest, WarningCheckRunsOnce250msAfterTheLastChange) {
    int checks = 0;
    hooks.warningCheck = [&] { ++checks; };
    document.SetHooks(hooks);
    document.RestartCheckDelay();
    host.Advance(200);
    document.RestartCheckDelay();
    host.Advance(200);
    EXPECT_EQ(checks, 0);
    host.Advance(100);
    EXPECT_EQ(checks, 1);
    host.Advance(1000);
    EXPECT_EQ(checks, 1);
}

TEST_F(DocumentTest, AboutLabelFillsTheRevision) {
    std::string label = document.AboutLabel("1.0");
    EXPECT_NE(label.find("1.0"), std::string::npos);
    EXPECT_EQ(label.find("%s"), std::string::npos);
    EXPECT_EQ(label.find('#'), std::string::npos);
}

// Builds a document over an empty folder and asks it for the initial image.
void LoadFromEmptyFolder() {
    test::TempDir empty;
    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope{host};
    cmcGTex table;
    table.SetLines(BuiltinTable::Lines());
    ScriptedPrompt prompt;
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    cmcEvMan events{host};
    cmcDocument document{table, prompt, settings, events, 2949};
    document.LoadInitialImage(empty.Root(), 0);
}

TEST(DocumentDeathTest, AMissingInitialImageEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LoadFromEmptyFolder(), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

}  // namespace
