#include "link/cmcCloneDrv.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "FakeRadio.h"
#include "runtime/cmcVirtualTimerHost.h"
#include "model/indImageMap.h"
#include "model/indModelRules.h"

namespace {

using test::Bytes;

Bytes Ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Pattern(size_t n) {
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return bytes;
}

class CloneDrvTest : public testing::Test {
protected:
    CloneDrvTest() {
        auto fake = std::make_unique<test::FakeRadioPort>();
        port = fake.get();
        port->answer = [this](const Bytes& frame) { return radio(frame); };
        drv = std::make_unique<cmcCloneDrv>(std::move(fake));
        drv->SetImageSize(indImageMap::kImageSize);
        drv->SetBlockSize(64);
        drv->SetPort(3, "9600,N,8,1");
        radio.memory = Pattern(indImageMap::kImageSize);
        radio.readLast = 0x0B73;  // what a clone read asks for
    }

    cmcCloneDrv::Callback Keep() {
        return cmcCloneDrv::Callback(this, [this](const CloneResult& r) {
            result = r;
            doneAt = host.NowMs();
        });
    }

    // Runs until the operation ends or the limit passes.
    void Run(uint32_t limitMs = 10000) {
        for (uint32_t t = 0; t < limitMs && !result; t += 10) {
            host.Advance(10);
        }
        ASSERT_TRUE(result.has_value()) << "operation did not end";
        EXPECT_FALSE(drv->IsBusy());
        EXPECT_FALSE(port->open) << "the port stays open after the operation";
    }

    int32_t Identify() {
        EXPECT_TRUE(drv->StartIdentify(Keep()));
        Run();
        return result ? result->result : -1;
    }

    int32_t Read(const AddrRangeList& ranges = indModelRules::GetRangeList(indModelRules::kRangeCloneRead)) {
        EXPECT_TRUE(drv->StartRead(ranges, Keep()));
        Run();
        return result ? result->result : -1;
    }

    int32_t Write(const AddrRangeList& ranges = indModelRules::GetRangeList(indModelRules::kRangeCloneWrite)) {
        cmcEeprom image;
        image.SetSize(indImageMap::kImageSize);
        const Bytes bytes = Pattern(indImageMap::kImageSize);
        image.SetBlock(0, bytes.data(), static_cast<int32_t>(bytes.size()));
        EXPECT_TRUE(drv->StartWrite(image, ranges, Keep()));
        Run();
        return result ? result->result : -1;
    }

    // The port says when bytes arrive, as a device does: the driver sleeps
    // between its steps instead of polling.
    void UseReadiness() {
        port->descriptor = 42;
        host.SetReadiness(42, [this] { return port->open && !port->input.empty(); });
    }

    cmcVirtualTimerHost host;
    cmcTimerHost::Scope scope{host};
    test::FakeRadioPort* port = nullptr;
    std::unique_ptr<cmcCloneDrv> drv;
    test::FakeRadio radio;
    std::optional<CloneResult> result;
    uint32_t doneAt = 0;
};

TEST_F(CloneDrvTest, IdentifySendsTheRequestAndKeepsTheRadiosCodesAndBlock) {
    drv->SetRequestCodes(0x4001, 0x0000);
    EXPECT_EQ(Identify(), cmcCloneDrv::kOk);
    ASSERT_EQ(port->sent.size(), 1u);
    EXPECT_EQ(port->sent[0], (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x40, 0x01, 0x00, 0x00, 0xFD}));
    EXPECT_EQ(port->lastPort, 3);
    EXPECT_EQ(port->lastSettings, "9600,N,8,1");
    EXPECT_EQ(result->operation, cmcCloneDrv::kIdentify);
    EXPECT_EQ(result->modelCode, 0x4001);
    EXPECT_EQ(result->extraCode, 0x0021);
    const Bytes info = test::InfoBlock();
    ASSERT_EQ(result->information.Length(), info.size());
    EXPECT_TRUE(std::equal(info.begin(), info.end(), result->information.Data()));
}

struct IdentityCase {
    const char* name;
    Bytes reply;
    int32_t expected;
};

std::vector<IdentityCase> IdentityCases() {
    return {
        {"code byte not decimal", test::IdentityFrame({0x4A, 0x01, 0x00, 0x21}), 5},
        {"too short for the codes", test::RadioFrame(0xE1, {0x40, 0x01, 0x00}), 5},
        {"another command", test::RadioFrame(0xE4, {0x40, 0x01, 0x00, 0x21}), 5},
        {"addressed from the PC", Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE1, 0x40, 0x01, 0x00, 0x21, 0xFD},
         5},
        {"codes only, no block", test::RadioFrame(0xE1, {0x40, 0x01, 0x00, 0x21}), 0},
        {"noise before the frame", Bytes{0x00, 0x12, 0xFD, 0x33} + test::IdentityFrame(), 0},
        {"a new start abandons the first",
         Bytes{0xFE, 0xEF, 0xEE, 0xE4, 0x30} + test::IdentityFrame(), 0},
        {"silence", Bytes{}, 4},
        {"frame never ends", Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x40}, 4},
        {"bad frame, then a good one", test::RadioFrame(0xE2, {}) + test::IdentityFrame(), 0},
        {"good frame, then a bad one", test::IdentityFrame() + test::RadioFrame(0xE2, {}), 5},
        {"endless frame", Bytes{0xFE} + Bytes(600, 0x30), 5},
    };
}

TEST_F(CloneDrvTest, IdentityFaults) {
    for (const IdentityCase& c : IdentityCases()) {
        SCOPED_TRACE(c.name);
        result.reset();
        radio.identity = c.reply;
        EXPECT_EQ(Identify(), c.expected);
    }
}

TEST_F(CloneDrvTest, WaitingOnReadinessEndsEachCaseAlike) {
    UseReadiness();
    for (const IdentityCase& c : IdentityCases()) {
        SCOPED_TRACE(c.name);
        result.reset();
        radio.identity = c.reply;
        EXPECT_EQ(Identify(), c.expected);
    }
    result.reset();
    EXPECT_EQ(Read(), cmcCloneDrv::kOk);
    result.reset();
    EXPECT_EQ(Write(), cmcCloneDrv::kOk);
}

// Between its steps the driver sleeps: no poll while the radio is silent,
// the answer taken the moment it arrives and the time-out noticed when due.
TEST_F(CloneDrvTest, WaitingOnReadinessWakesOnlyForWork) {
    UseReadiness();
    radio.identity.clear();
    ASSERT_TRUE(drv->StartIdentify(Keep()));
    host.Advance(500);
    EXPECT_EQ(host.Watches(), 1u) << "waiting for bytes";
    EXPECT_EQ(host.RunningTimers(), 1u) << "and for the time-out, nothing else";
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kTimeout);
    EXPECT_GE(doneAt, 1100u);
    EXPECT_LE(doneAt, 1110u) << "the time-out is noticed when it falls due";
    EXPECT_EQ(host.Watches() + host.RunningTimers(), 0u) << "nothing left armed";

    result.reset();
    radio.identity = test::IdentityFrame();
    const uint32_t start = host.NowMs();
    ASSERT_TRUE(drv->StartIdentify(Keep()));
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kOk);
    EXPECT_LE(doneAt - start, 110u) << "the settle after opening, then at once";
}

TEST_F(CloneDrvTest, SilenceEndsAboutOneSecondAfterTheRequest) {
    radio.identity.clear();
    ASSERT_TRUE(drv->StartIdentify(Keep()));
    host.Advance(1000);
    EXPECT_FALSE(result.has_value());
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kTimeout);
    // The request goes out after the 100 ms pause that follows the opening.
    EXPECT_GE(doneAt, 1100u);
    EXPECT_LE(doneAt, 1200u);
}

TEST_F(CloneDrvTest, APortThatDoesNotOpenEndsAtOnce) {
    port->openOk = false;
    EXPECT_EQ(Identify(), cmcCloneDrv::kOpenFailed);
    EXPECT_TRUE(port->written.empty());
    EXPECT_LE(doneAt, 50u);
}

TEST_F(CloneDrvTest, InputBeforeTheRequestIsDiscarded) {
    ASSERT_TRUE(drv->StartIdentify(Keep()));
    host.Advance(30);
    // Arrives while the line settles: an identity nobody asked for.
    port->Feed(test::IdentityFrame({0x40, 0x02, 0x00, 0x21}));
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kOk);
    EXPECT_EQ(result->modelCode, 0x4001);
}

TEST_F(CloneDrvTest, ASecondStartWhileBusyIsRefused) {
    ASSERT_TRUE(drv->StartIdentify(Keep()));
    cmcEeprom image;
    EXPECT_FALSE(drv->StartIdentify(Keep()));
    EXPECT_FALSE(drv->StartProbe(Keep()));
    EXPECT_FALSE(drv->StartRead({}, Keep()));
    EXPECT_FALSE(drv->StartWrite(image, {}, Keep()));
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kOk);
    EXPECT_EQ(port->sent.size(), 1u);
}

TEST_F(CloneDrvTest, TheCallbackMayStartTheNextOperation) {
    std::optional<CloneResult> first;
    auto second = [this, &first](const CloneResult& r) {
        first = r;
        EXPECT_TRUE(drv->StartRead(indModelRules::GetRangeList(indModelRules::kRangeCloneRead), Keep()));
    };
    ASSERT_TRUE(drv->StartIdentify(cmcCloneDrv::Callback(this, second)));
    for (int i = 0; i < 1000 && !result; ++i) {
        host.Advance(10);
    }
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->result, cmcCloneDrv::kOk);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->result, cmcCloneDrv::kOk);
    EXPECT_EQ(port->opens, 2);
}

TEST_F(CloneDrvTest, ReadStoresTheWholeImageAndItsMap) {
    EXPECT_EQ(Read(), cmcCloneDrv::kOk);
    EXPECT_EQ(port->sent[0], (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0, 0, 0, 0, 0xFD}));
    ASSERT_EQ(result->image.GetSize(), indImageMap::kImageSize);
    const int32_t asked = 0x0B74;
    EXPECT_TRUE(std::equal(radio.memory.begin(), radio.memory.begin() + asked, result->image.Data()));
    EXPECT_EQ(result->image.GetByte(asked), 0) << "bytes not received stay zero";
    EXPECT_EQ(drv->DataBytes(), asked);
    EXPECT_EQ(drv->BytesReceived(), static_cast<int32_t>(radio.ReadReply().size()));
    EXPECT_EQ(result->receivedMap.Length(), (asked + 7) / 8u);
}

TEST_F(CloneDrvTest, ReadFaults) {
    const Bytes two{1, 2};
    struct Case {
        const char* name;
        Bytes reply;  // replaces the radio's answer to the read request
        int32_t expected;
    };
    const Case cases[] = {
        {"lowercase hex", test::RadioFrame(0xE4, Ascii("0b0001aa")), 5},
        {"odd number of digits", test::RadioFrame(0xE4, Ascii("0B0001AA5")), 5},
        {"wrong checksum", test::RadioFrame(0xE4, Ascii("000002010200")), 5},
        {"count does not match", test::RadioFrame(0xE4, Ascii("0000030102FA")), 5},
        {"too short", test::RadioFrame(0xE4, Ascii("0000")), 5},
        {"beyond the image", test::DataFrame(0x0B84, two), 8},
        {"end text wrong", test::DataFrame(0, two) + test::EndFrame("Norv Inc!"), 5},
        {"end text with a count", test::DataFrame(0, two) + test::EndFrame("Norv Inc.01"), 5},
        {"unknown frame", test::RadioFrame(0xE6, {0}), 5},
        {"addresses missing", test::DataFrame(0, two) + test::EndFrame(), 7},
        {"silence", Bytes{}, 4},
        {"oversized frame", Bytes{0xFE, 0xEF, 0xEE, 0xE4} + Bytes(520, 0x30) + Bytes{0xFD}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        result.reset();
        port->answer = [&c](const Bytes&) { return c.reply; };
        EXPECT_EQ(Read(), c.expected);
    }
}

TEST_F(CloneDrvTest, AnAddressNotAskedForIsAnOverflow) {
    const AddrRangeList ranges{{0x10, 0x1F}, test::kEnd};
    radio.readFirst = 0x10;
    radio.readLast = 0x20;
    EXPECT_EQ(Read(ranges), cmcCloneDrv::kOverflow);
    // Without a range list everything the radio sends is taken.
    result.reset();
    EXPECT_EQ(Read({}), cmcCloneDrv::kOk);
}

TEST_F(CloneDrvTest, AFullBlockOf255BytesFitsTheFrameLimit) {
    drv->SetImageSize(300);
    radio.readFirst = 0;
    radio.readLast = 254;
    radio.readBlock = 255;
    EXPECT_EQ(Read({{0, 254}, test::kEnd}), cmcCloneDrv::kOk);
}

TEST_F(CloneDrvTest, CountOptionChecksTheFrameCount) {
    drv->SetCountOption(true);
    const AddrRangeList ranges{{0, 127}, test::kEnd};
    radio.readLast = 127;  // two frames of 64
    radio.endOfRead = test::EndFrame("Norv Inc.02");
    EXPECT_EQ(Read(ranges), cmcCloneDrv::kOk);
    result.reset();
    radio.endOfRead = test::EndFrame("Norv Inc.03");
    EXPECT_EQ(Read(ranges), cmcCloneDrv::kCountMismatch);
    result.reset();
    radio.endOfRead = test::EndFrame();
    EXPECT_EQ(Read(ranges), cmcCloneDrv::kBadFrame);
}

TEST_F(CloneDrvTest, WriteSplitsTheRangeOnBlockBoundaries) {
    drv->SetRequestCodes(0x4001, 0);
    EXPECT_EQ(Write(), cmcCloneDrv::kOk);
    EXPECT_EQ(port->sent.front(), (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x40, 0x01, 0x00, 0x00, 0xFD}));
    ASSERT_EQ(radio.dataFrames.size(), 36u);
    const Bytes image = Pattern(indImageMap::kImageSize);
    int32_t next = 0x02BC;
    for (const Bytes& text : radio.dataFrames) {
        const auto block = cmcCloneBlock::Decode(text.data(), text.size());
        ASSERT_TRUE(block.has_value());
        EXPECT_EQ(block->address, next);
        const int32_t end = block->address + static_cast<int32_t>(block->data.size());
        EXPECT_TRUE(end % 64 == 0 || end == 0x0B70) << "frame crosses a block boundary";
        EXPECT_TRUE(std::equal(block->data.begin(), block->data.end(), image.begin() + block->address));
        next = end;
    }
    EXPECT_EQ(next, 0x0B70);
    EXPECT_EQ(radio.dataFrames.front().size(), 16u);  // 4 bytes
    EXPECT_EQ(radio.dataFrames.back().size(), 2u * (48 + 4));
    EXPECT_EQ(port->sent.back(), Bytes({0xFE, 0xFE, 0xEE, 0xEF, 0xE5}) + Ascii("Norv Inc.") + Bytes{0xFD});
    EXPECT_EQ(drv->DataBytes(), 0x0B70 - 0x02BC);
}

TEST_F(CloneDrvTest, WriteTakesTheImageAsItWasAtTheStart) {
    cmcEeprom image;
    image.SetSize(indImageMap::kImageSize);
    ASSERT_TRUE(drv->StartWrite(image, {{0, 3}, test::kEnd}, Keep()));
    image.Fill(0x55);
    Run();
    ASSERT_EQ(radio.dataFrames.size(), 1u);
    EXPECT_EQ(radio.dataFrames[0], Ascii("00000400000000FC"));
}

TEST_F(CloneDrvTest, WriteSeveralRangesAndAnAnswerPerFrame) {
    EXPECT_EQ(Write({{0, 9}, {100, 100}, {200, 263}, test::kEnd}), cmcCloneDrv::kOk);
    EXPECT_EQ(radio.dataFrames.size(), 4u);  // 0-9, 100, 200-255, 256-263
    EXPECT_EQ(drv->DataBytes(), 10 + 1 + 64);
}

TEST_F(CloneDrvTest, WriteFaults) {
    struct Case {
        const char* name;
        uint8_t ack;
        Bytes accepted;
        int32_t expected;
    };
    const Case cases[] = {
        {"go on with 0xFB", 0xFB, test::RadioFrame(0xE6, {0x00}), 0},
        {"go on with 0xF9", 0xF9, test::RadioFrame(0xE6, {0x00}), 0},
        {"refused", 0xFA, test::RadioFrame(0xE6, {0x00}), 5},
        {"unknown answer byte", 0x06, test::RadioFrame(0xE6, {0x00}), 4},
        {"not accepted", 0xF0, test::RadioFrame(0xE6, {0x01}), 10},
        {"accepted with extra bytes", 0xF0, test::RadioFrame(0xE6, {0x00, 0x00}), 10},
        {"no final answer", 0xF0, Bytes{}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        result.reset();
        radio.ack = c.ack;
        radio.accepted = c.accepted;
        EXPECT_EQ(Write(), c.expected);
    }
}

TEST_F(CloneDrvTest, TheWriteAcceptedReplyMayTakeTwoSeconds) {
    radio.accepted.clear();
    const AddrRangeList ranges{{0, 3}, test::kEnd};
    cmcEeprom image;
    image.SetSize(indImageMap::kImageSize);
    ASSERT_TRUE(drv->StartWrite(image, ranges, Keep()));
    while (port->sent.size() < 3) {
        host.Advance(10);
    }
    const uint32_t endSent = host.NowMs();
    host.Advance(1900);
    port->Feed(test::RadioFrame(0xE6, {0x00}));
    Run();
    EXPECT_EQ(result->result, cmcCloneDrv::kOk);
    EXPECT_GT(doneAt - endSent, 1000u);
}

TEST_F(CloneDrvTest, AShortWriteOnThePortEndsTheOperation) {
    port->failWrites = true;
    EXPECT_EQ(Identify(), cmcCloneDrv::kShortWrite);
}

TEST_F(CloneDrvTest, EchoCheckTakesBackEverySentByte) {
    drv->SetEchoCheck(true);
    port->echo = true;
    EXPECT_EQ(Identify(), cmcCloneDrv::kOk);
    result.reset();
    EXPECT_EQ(Write({{0, 200}, test::kEnd}), cmcCloneDrv::kOk);
    result.reset();
    port->echoFlip = 0x01;
    EXPECT_EQ(Identify(), cmcCloneDrv::kEchoError);
    result.reset();
    port->echo = false;
    EXPECT_EQ(Identify(), cmcCloneDrv::kEchoError);
}

TEST_F(CloneDrvTest, WaitReadyWaitsForOneByteBeforeTheData) {
    drv->SetWaitReady(true);
    port->answer = [this](const Bytes& frame) {
        Bytes reply = radio(frame);
        if (frame[4] == 0xE3) {
            reply.push_back(0xF0);
        }
        return reply;
    };
    EXPECT_EQ(Write({{0, 3}, test::kEnd}), cmcCloneDrv::kOk);
    result.reset();
    port->answer = [this](const Bytes& frame) { return radio(frame); };
    EXPECT_EQ(Write({{0, 3}, test::kEnd}), cmcCloneDrv::kTimeout);
}

TEST_F(CloneDrvTest, HighSpeedRaisesTheLineAndLowersItAtTheEnd) {
    drv->SetFixedSpeed(false);
    drv->SetHighSpeed(true);
    drv->SetSelectedPort(3);
    EXPECT_EQ(Identify(), cmcCloneDrv::kOk);
    ASSERT_EQ(port->sent.size(), 3u);
    EXPECT_EQ(port->sent[0], (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0, 0, 0, 0, 0xAA, 0x81, 0x30, 0x31, 0xFD}));
    EXPECT_EQ(port->sent[2], (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0, 0, 0, 0, 0xAA, 0x81, 0x30, 0x30, 0xFD}));
    EXPECT_EQ(port->lastSettings, "38400,N,8,1");
    // A probe never changes speed.
    result.reset();
    port->sent.clear();
    drv->SetPort(3, "9600,N,8,1");
    ASSERT_TRUE(drv->StartProbe(Keep()));
    Run();
    EXPECT_EQ(port->lastSettings, "9600,N,8,1");
}

TEST(cmcCloneBlockTest, EncodesAndDecodesTheDocumentedExample) {
    const Bytes data{1, 2, 3, 4};
    EXPECT_EQ(cmcCloneBlock::Encode(0x02BC, data.data(), data.size()), Ascii("02BC040102030434"));
    const Bytes text = Ascii("02BC040102030434");
    const auto block = cmcCloneBlock::Decode(text.data(), text.size());
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->address, 0x02BC);
    EXPECT_EQ(block->data, data);
    EXPECT_EQ(test::DataFrame(0, Bytes(64, 0)).size(), 142u);
}

}  // namespace
