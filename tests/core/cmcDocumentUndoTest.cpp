// Undo and redo on the document, over every kind of change a person makes:
// the changes go through the cell link handler (or the CSV import) exactly
// as the application makes them, and the document records a step each time
// the handler reports that it may have written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "FakeDocHost.h"
#include "FirstInstanceLock.h"
#include "TestSupport.h"
#include "app/cmcDocument.h"
#include "files/cmcCsvFile.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"
#include "model/cmcChType.h"
#include "model/datCh.h"
#include "model/indActiveCell.h"
#include "model/indActiveCellIds.h"
#include "model/indImageMap.h"
#include "runtime/cmcEvMan.h"
#include "runtime/cmcVirtualTimerHost.h"

namespace ids = indActiveCellIds;

namespace {

constexpr int32_t kNone = cmcCellObj::kNoCategory;
constexpr int32_t kIndv = 7;

// The handler's document is the real one: its image, and its change test.
class DocumentHost : public test::FakeDocHost {
public:
    explicit DocumentHost(cmcDocument& document) : m_document(document) {}
    cmcEeprom& CurrentImage() override { return m_document.Current(); }
    cmcEeprom& InitialImage() override { return m_document.Initial(); }
    void TestModified() override { m_document.NoteChange(); }

private:
    cmcDocument& m_document;
};

// Public parts: the cases below are free functions over the fixture.
class DocumentUndoTest : public ::testing::Test {
public:
    DocumentUndoTest() {
        table.SetLines(BuiltinTable::Lines());
        document.LoadInitialImage(MX_BIN_DIR, 0);
        document.SetInitialFolder(dir.Root());
        document.Start();
        events.Listen(cmcEvMan::Listener(this, &DocumentUndoTest::Hear));
        // Rows with names, so that moving, clearing and deleting change bytes.
        for (int32_t row = 0; row < 8; ++row) {
            SetName(document.Current(), row, "ROW" + std::to_string(row));
        }
        document.Current().SetByte(indImageMap::kTxMyName, 0);
        // As if opened from a file: this is the saved state.
        document.ClearModified();
        document.StartHistory();
    }
    ~DocumentUndoTest() override {
        events.Unlisten(cmcEvMan::Listener(this, &DocumentUndoTest::Hear));
    }

    static void SetName(cmcEeprom& image, int32_t row, const std::string& name) {
        datCh record(&image);
        record.Load(cmcChType::kIndvList, static_cast<uint32_t>(row));
        std::fill(std::begin(record.name), std::end(record.name), 0);
        std::copy(name.begin(), name.end(), record.name);
        record.Store(cmcChType::kIndvList, static_cast<uint32_t>(row));
    }

    // One request to the link handler, as a sheet sends it.
    void Request(int32_t category, int32_t link, int32_t index,
                 const std::function<void(cmcCellCapsule&)>& fill) {
        cmcCellObj cell = test::CellOf(category, link, index);
        int editHost = 0;
        cmcCellCapsule request;
        request.cell = &cell;
        request.editHost = &editHost;
        fill(request);
        indActiveCell(host).Handle(request, true);
    }
    void RowCommand(int32_t command, int32_t row) {
        Request(kIndv, ids::kIndvListName, row,
                [command](cmcCellCapsule& r) { r.command = command; });
    }
    void Hear(const cmcEvent& event) {
        if (event.code == cmcDocument::kRepaintAll) {
            ++repaints;
        }
    }

    test::TempDir dir;
    cmcVirtualTimerHost timers;
    cmcTimerHost::Scope scope{timers};
    cmcGTex table;
    test::AnsweringPrompt prompt;
    test::FirstInstanceLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1920, 1080}};
    cmcEvMan events{timers};
    cmcDocument document{table, prompt, settings, events, indImageMap::kImageSize};
    DocumentHost host{document};
    int repaints = 0;
};

struct ChangeCase {
    const char* what;
    void (*change)(DocumentUndoTest& test);
};

}  // namespace

class DocumentUndoKinds : public DocumentUndoTest,
                          public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(DocumentUndoKinds, EachChangeIsOneStepBackAndForth) {
    const ChangeCase& c = GetParam();
    cmcEeprom before;
    before.Assign(document.Current());
    c.change(*this);
    cmcEeprom after;
    after.Assign(document.Current());
    ASSERT_TRUE(after.NotEquals(before)) << "the case must change the image";
    ASSERT_TRUE(document.CanUndo());
    EXPECT_FALSE(document.CanRedo());
    EXPECT_TRUE(document.IsModified());

    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(document.Current().Equals(before));
    EXPECT_FALSE(document.IsModified()) << "back at the saved state";
    EXPECT_FALSE(document.CanUndo()) << "one change, one step";
    EXPECT_TRUE(document.CanRedo());

    ASSERT_TRUE(document.Redo());
    EXPECT_TRUE(document.Current().Equals(after));
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(document.CanRedo());

    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(document.Current().Equals(before));
    EXPECT_EQ(repaints, 3) << "the sheets repaint after every step";
}

namespace {

void Commit(DocumentUndoTest& t) {
    t.Request(kNone, ids::kDigCallSelfName, 0, [](cmcCellCapsule& r) {
        r.origin = cmcCellCapsule::kOriginEditor;
        r.inText = "ABC";
    });
}
void Choose(DocumentUndoTest& t) {
    cmcCellObj entry = test::CellOf(kNone, ids::kFlex0, 1);
    cmcCellCapsule chosen;
    chosen.cell = &entry;
    t.Request(kNone, ids::kDigCallTxMyName, 0, [&chosen](cmcCellCapsule& r) {
        r.parent = &chosen;
        r.origin = cmcCellCapsule::kOriginChoice;
    });
}
void Space(DocumentUndoTest& t) {
    t.Request(kNone, ids::kDigCallTxMyName, 0,
              [](cmcCellCapsule& r) { r.request = cmcCellCapsule::kRequestSpace; });
}
void Backspace(DocumentUndoTest& t) {
    t.Request(kNone, ids::kDigCallSelfIdIndvId, 0,
              [](cmcCellCapsule& r) { r.request = cmcCellCapsule::kRequestBackspace; });
}
void Paste(DocumentUndoTest& t) {
    auto& run = t;
    run.RowCommand(ids::kPMenuCopy, 2);  // copying changes nothing: no step
    run.RowCommand(ids::kPMenuPaste, 5);
}
void CarryUp(DocumentUndoTest& t) {
    t.RowCommand(ids::kPMenuCarryUp, 3);
}
void CarryDown(DocumentUndoTest& t) {
    t.RowCommand(ids::kPMenuCarryDown, 3);
}
void Clear(DocumentUndoTest& t) {
    t.RowCommand(ids::kPMenuClear, 3);
}
void Delete(DocumentUndoTest& t) {
    t.RowCommand(ids::kPMenuDelete, 3);
}
// This radio's lists have a fixed length: insert only marks the rows.
void Insert(DocumentUndoTest& t) {
    t.RowCommand(ids::kPMenuInsert, 3);
}
// The import command's order: import, then the change is noted once.
void Import(DocumentUndoTest& t) {
    auto& run = t;
    test::TempDir files;
    cmcEeprom source;
    source.Assign(run.document.Current());
    DocumentUndoTest::SetName(source, 0, "IMPORTED");
    cmcVirtualTimerHost timers;
    cmcEvMan events(timers);
    cmcCsvFile out(events, test::BuiltinTableForTests(), nullptr);
    out.SetImage(&source);
    out.SetInitialImage(&run.document.Initial());
    out.SetIds(0x4001, 0x0021);
    ASSERT_EQ(out.ExportSheet(files.Path("list.csv"), cmcChType::kIndvList), 0);
    cmcCsvFile in(events, test::BuiltinTableForTests(), nullptr);
    in.SetImage(&run.document.Current());
    in.SetInitialImage(&run.document.Initial());
    in.SetIds(0x4001, 0x0021);
    ASSERT_EQ(in.ImportSheet(files.Path("list.csv"), cmcChType::kIndvList), 0);
    run.document.NoteChange();
}

}  // namespace

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Changes, DocumentUndoKinds,
    ::testing::Values(
        ChangeCase{"committed cell", Commit},
        ChangeCase{"choice from a list", Choose},
        ChangeCase{"space step", Space},
        ChangeCase{"backspace step", Backspace},
        ChangeCase{"paste", Paste},
        ChangeCase{"move up", CarryUp},
        ChangeCase{"move down", CarryDown},
        ChangeCase{"clear", Clear},
        ChangeCase{"delete", Delete},
        ChangeCase{"csv import", Import}),
    [](const ::testing::TestParamInfo<ChangeCase>& param) {
        std::string name;
        for (const char* p = param.param.what; *p != 0; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    });
// clang-format on

TEST_F(DocumentUndoTest, ReadingARequestWithoutAChangeRecordsNoStep) {
    Request(kNone, ids::kDigCallSelfName, 0, [](cmcCellCapsule&) {});
    RowCommand(ids::kPMenuCopy, 1);
    Insert(*this);
    EXPECT_FALSE(document.CanUndo());
}

TEST_F(DocumentUndoTest, ModifiedFollowsTheStepsAroundTheSavedState) {
    Space(*this);   // step 1
    Commit(*this);  // step 2
    std::string path = dir.Path("saved.rcf");
    ASSERT_EQ(document.SaveFile(path), 0);
    EXPECT_FALSE(document.IsModified());
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(document.IsModified()) << "one step before the saved state";
    ASSERT_TRUE(document.Redo());
    EXPECT_FALSE(document.IsModified()) << "the saved state again";
    ASSERT_TRUE(document.Undo());
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(document.IsModified()) << "the state opened before, not the one saved";
    EXPECT_TRUE(document.CanUndo() == false);
}

TEST_F(DocumentUndoTest, AReadImageStaysModifiedWhenStepsReturnToIt) {
    // A clone read: the received image is in place, from no file.
    document.SetModified();
    document.StartHistory();
    EXPECT_FALSE(document.CanUndo());
    Space(*this);
    ASSERT_TRUE(document.Undo());
    EXPECT_TRUE(document.IsModified()) << "what was read was never saved";
}

TEST_F(DocumentUndoTest, NewOpenAndReadStartAnEmptyHistory) {
    const std::string path = dir.Path("kept.rcf");
    ASSERT_EQ(document.SaveFile(path), 0);
    struct Case {
        const char* what;
        std::function<void()> start;
    };
    const Case cases[] = {
        {"new", [&] { EXPECT_EQ(document.New(), 0); }},
        {"open", [&] { EXPECT_EQ(document.OpenFile(path, false), 0); }},
        {"read",
         [&] {
             document.SetModified();
             document.StartHistory();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Space(*this);
        Space(*this);
        ASSERT_TRUE(document.Undo());
        ASSERT_TRUE(document.CanUndo());
        ASSERT_TRUE(document.CanRedo());
        prompt.answer = cmcPrompt::Answer::No;  // drop the changes when asked
        c.start();
        EXPECT_FALSE(document.CanUndo());
        EXPECT_FALSE(document.CanRedo());
        EXPECT_FALSE(document.Undo());
        EXPECT_FALSE(document.Redo());
    }
}
