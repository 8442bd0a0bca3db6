#include "model/indCloneMan.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "FakeRadio.h"
#include "TestSupport.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "model/indCloneFlow.h"
#include "model/indModelRules.h"
#include "text/BuiltinTable.h"
#include "text/cmcGTex.h"
#include "util/cmcStr.h"

namespace {

using test::Bytes;

class RecordingObserver : public indCloneObserver {
public:
    void ShowProgress(const std::string& caption) override { captions.push_back(caption); }
    void UpdateProgress(int filled) override { bars.push_back(filled); }
    void HideProgress() override { ++hides; }
    void EnableMainWindow(bool enable) override { enabled = enable; }
    void ShowReport(const std::string& text, const std::string&) override { reports.push_back(text); }

    std::vector<std::string> captions;
    std::vector<int> bars;
    int hides = 0;
    bool enabled = true;
    std::vector<std::string> reports;
};

class CloneManTest : public testing::Test {
protected:
    CloneManTest() {
        texts.SetLines(BuiltinTable::Lines());
        auto fake = std::make_unique<test::FakeRadioPort>();
        port = fake.get();
        port->answer = [this](const Bytes& frame) { return AnswerOn(frame); };
        man = std::make_unique<indCloneMan>(std::move(fake), texts, observer);
        man->SetBlockSize(64);
        man->SetImageSize(indModelRules::kImageSize);
        man->SetSelectedPort(5);
        flow = std::make_unique<indCloneFlow>(*man, texts, prompt);
        flow->InstallChecks();
        cmcEeprom image;
        image.SetSize(indModelRules::kImageSize);
        indModelRules::BeforeSave(image);
        radio.memory.assign(image.Data(), image.Data() + image.GetSize());
        radio.readLast = 0x0B73;
    }

    // Only the radio's own port answers.
    Bytes AnswerOn(const Bytes& frame) { return port->lastPort == radioPort ? radio(frame) : Bytes{}; }

    indCloneMan::Callback Keep() {
        return indCloneMan::Callback(this, [this](CloneResult& r) { result = r.result; });
    }
    indCloneFlow::Done KeepFlow() {
        return [this](int32_t r) { result = r; };
    }

    void Run() {
        for (int i = 0; i < 2000 && !result; ++i) {
            host.Advance(10);
        }
        ASSERT_TRUE(result.has_value()) << "job did not end";
        EXPECT_FALSE(man->IsBusy());
        EXPECT_TRUE(observer.enabled);
    }

    std::string Check(int line) { return texts.GetLine("GI_Mess_CloneErr_Check", line); }

    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope{host};
    cmcGTex texts;
    RecordingObserver observer;
    test::RecordingPrompt prompt;
    test::FakeRadioPort* port = nullptr;
    test::FakeRadio radio;
    int radioPort = 5;
    std::unique_ptr<indCloneMan> man;
    std::unique_ptr<indCloneFlow> flow;
    std::optional<int32_t> result;
};

TEST_F(CloneManTest, ReportTextsCarryTheirCheckLines) {
    struct Case {
        int32_t code;
        std::vector<int> lines;  // -1 stands for an empty line
    };
    const Case cases[] = {
        {2, {0, 1, 2, 3}},       {3, {0, 1, 2, 3, -1, 9}}, {4, {0, 1, 2, 3, -1, 9}},
        {9, {0, 1, 2, 3, -1, 9}}, {10, {0, 2, 3}},          {11, {0, 1, 2, 3, -1, 9}},
        {12, {0, 1, 2, 3, 5, 6}}, {13, {0, 2, 3, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::string head = texts.GetLine("GI_Mess_CloneErr_Head", c.code);
        if (c.code == 2) {
            head = cmcStr::Format(head.c_str(), 5);
        }
        std::string expected = head + "\n";
        for (int line : c.lines) {
            expected += "\n" + (line < 0 ? std::string() : Check(line));
        }
        EXPECT_EQ(man->ReportText(c.code), expected);
    }
    EXPECT_EQ(man->ReportText(0), "");
}

TEST_F(CloneManTest, AnUnusablePortNamesItsNumber) {
    man->SetSelectedPort(7);
    port->openOk = false;
    ASSERT_TRUE(flow->StartCloneRead(*std::make_unique<cmcEeprom>(), KeepFlow()));
    Run();
    EXPECT_EQ(*result, 2);
    ASSERT_EQ(observer.reports.size(), 1u);
    EXPECT_EQ(observer.reports[0].rfind(cmcStr::Format(texts.GetLine("GI_Mess_CloneErr_Head", 2).c_str(), 7), 0), 0u);
}

TEST_F(CloneManTest, CloneReadFillsTheImageAndShowsProgress) {
    cmcEeprom image;
    ASSERT_TRUE(flow->StartCloneRead(image, KeepFlow()));
    EXPECT_FALSE(observer.enabled);
    EXPECT_FALSE(flow->StartCloneRead(image, KeepFlow())) << "a second start while busy";
    Run();
    EXPECT_EQ(*result, 0);
    EXPECT_TRUE(observer.reports.empty());
    EXPECT_EQ(image.GetSize(), indModelRules::kImageSize);
    EXPECT_EQ(image.GetWord(0x00B8), indModelRules::kModelCode);
    ASSERT_EQ(observer.captions.size(), 1u);
    EXPECT_EQ(observer.captions[0], texts.GetLine("GI_AppInd_Progress_Caption", 1));
    EXPECT_EQ(observer.hides, 1);
    ASSERT_FALSE(observer.bars.empty());
    EXPECT_TRUE(std::is_sorted(observer.bars.begin(), observer.bars.end()));
    EXPECT_EQ(observer.bars.back(), 33);
    EXPECT_EQ(flow->RadioExtraCode(), indModelRules::kExtraCode);
    EXPECT_EQ(flow->RadioInformation()[0], 42);
}

TEST_F(CloneManTest, ARadioOffLeavesTheImageAlone) {
    radioPort = 0;
    cmcEeprom image;
    image.SetSize(3);
    ASSERT_TRUE(flow->StartCloneRead(image, KeepFlow()));
    Run();
    EXPECT_EQ(*result, 4);
    EXPECT_EQ(image.GetSize(), 3);
    ASSERT_EQ(observer.reports.size(), 1u);
}

TEST_F(CloneManTest, IdentityAndImageChecks) {
    struct Case {
        const char* name;
        Bytes identity;
        bool badImage;
        int32_t expected;
    };
    const Case cases[] = {
        {"another model", test::IdentityFrame({0x40, 0x02, 0x00, 0x21}), false, 12},
        {"another extra code", test::IdentityFrame({0x40, 0x01, 0x00, 0x22}), false, 12},
        {"block too short", test::IdentityFrame({0x40, 0x01, 0x00, 0x21}, test::InfoBlock(41)), false, 12},
        {"block length byte wrong", test::IdentityFrame({0x40, 0x01, 0x00, 0x21}, Bytes(43, 42)), false, 12},
        {"longer block", test::IdentityFrame({0x40, 0x01, 0x00, 0x21}, test::InfoBlock(50)), false, 0},
        {"image of another radio", test::IdentityFrame(), true, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        result.reset();
        observer.reports.clear();
        radio.identity = c.identity;
        radio.memory[0x00B8] = c.badImage ? 0x02 : 0x01;
        cmcEeprom image;
        ASSERT_TRUE(flow->StartCloneRead(image, KeepFlow()));
        Run();
        EXPECT_EQ(*result, c.expected);
        EXPECT_EQ(observer.reports.size(), c.expected == 0 ? 0u : 1u);
    }
}

TEST_F(CloneManTest, CloneWriteSendsTheWriteRangesAfterTheRules) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    ASSERT_TRUE(flow->StartCloneWrite(image, false, KeepFlow()));
    Run();
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(image.GetByte(0x0314), 0xFF) << "before-save rules ran on the image";
    EXPECT_EQ(radio.dataFrames.size(), 36u);
    EXPECT_EQ(port->sent[0][5], 0x40);  // identify asks with the model code
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].icon, cmcPrompt::Icon::Information);
    EXPECT_EQ(observer.captions.back(), texts.GetLine("GI_AppInd_Progress_Caption", 2));
}

TEST_F(CloneManTest, MemoryWriteSendsTheMemoryRanges) {
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    ASSERT_TRUE(flow->StartCloneWrite(image, true, KeepFlow()));
    Run();
    EXPECT_EQ(*result, 0);
    const auto first = cmcCloneBlock::Decode(radio.dataFrames.front().data(), radio.dataFrames.front().size());
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->address, 0x09EC);
}

TEST_F(CloneManTest, DataErrorsStopTheWriteBeforeThePortOpens) {
    flow->SetErrorCount([] { return 1; });
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    flow->StartCloneWrite(image, false, KeepFlow());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, indCloneFlow::kDataErrors);
    EXPECT_EQ(port->opens, 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, texts.GetBody("GI_Mess_DataError"));
}

TEST_F(CloneManTest, ARadioOfExtraCodeZeroIsIdentifiedButNotWritten) {
    Bytes block = test::InfoBlock();
    block[1] = 0x11;
    block[2] = 0x1F;
    radio.identity = test::IdentityFrame({0x40, 0x01, 0x00, 0x00}, block);
    ASSERT_TRUE(flow->StartRadioInfo(KeepFlow()));
    Run();
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(flow->RadioExtraCode(), 0);
    EXPECT_EQ(flow->ModelNameText(), texts.GetLine("GI_AppInd_Model", 0));
    EXPECT_EQ(flow->RevisionText(), "11.1");  // bytes 0x11 0x11 of the block
    result.reset();
    cmcEeprom image;
    image.SetSize(indModelRules::kImageSize);
    ASSERT_TRUE(flow->StartCloneWrite(image, false, KeepFlow()));
    Run();
    EXPECT_EQ(*result, indCloneFlow::kOtherExtraCode);
    EXPECT_TRUE(radio.dataFrames.empty());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, Check(7) + "\n\n" + Check(0) + "\n" + Check(5));
}

TEST_F(CloneManTest, SearchProbesInTurnAndSelectsTheAnsweringPort) {
    radioPort = 3;
    ASSERT_TRUE(flow->StartSearch({1, 3}, KeepFlow()));
    Run();
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(man->SelectedPort(), 3);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              cmcStr::Format(texts.GetLine("GI_Mess_PortSearch_Succeeded", 0).c_str(), 3));
    EXPECT_TRUE(observer.reports.empty());
    EXPECT_EQ(observer.captions.back(), texts.GetLine("GI_AppInd_Progress_Caption", 3));
}

TEST_F(CloneManTest, ASearchNobodyAnswersReportsOnceAfterTheLastProbe) {
    radioPort = 0;
    ASSERT_TRUE(flow->StartSearch({1, 2, 4}, KeepFlow()));
    EXPECT_TRUE(man->IsBusy());
    Run();
    EXPECT_EQ(*result, 13);
    EXPECT_EQ(man->SelectedPort(), 5);
    ASSERT_EQ(observer.reports.size(), 1u);
    EXPECT_EQ(observer.reports[0], man->ReportText(13));
    // One third of the bar per probe.
    for (int k : {11, 22, 33}) {
        EXPECT_NE(std::find(observer.bars.begin(), observer.bars.end(), k), observer.bars.end()) << k;
    }
}

TEST_F(CloneManTest, ASearchWithoutPortsSaysSoAndProbesNothing) {
    flow->StartSearch({}, KeepFlow());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(port->opens, 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, texts.GetLine("GI_Mess_PortErr_Search", 0));
}

TEST_F(CloneManTest, WithoutChecksTheManagerRefusesWhatItCannotJudge) {
    ASSERT_TRUE(man->StartIdentify(Keep()));
    man->SetIdentityCheck(indCloneMan::Check());
    Run();
    EXPECT_EQ(*result, 12);
}

}  // namespace
