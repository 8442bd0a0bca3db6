// The simulated radio's protocol logic, frames in and frames out. The
// simulator's sources are not in a library, so this one file compiles them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>

#include "tools/sim/SimOptions.cpp"
#include "tools/sim/SimRadio.cpp"

namespace simtest {

using Bytes = std::vector<uint8_t>;

const Bytes kIdentify = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0, 0, 0, 0, 0xFD};
const Bytes kRead = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0, 0, 0, 0, 0xFD};
const Bytes kWrite = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x40, 0x01, 0, 0, 0xFD};
const Bytes kEndOfData = {0xFE, 0xFE, 0xEE, 0xEF, 0xE5, 'N', 'o', 'r', 'v', ' ', 'I', 'n', 'c', '.', 0xFD};

Bytes DataFrame(const std::string& text) {
    // Sized once and filled by index: GCC 12 misreads an insert after an
    // initializer list as writing out of bounds.
    static const uint8_t kHead[] = {0xFE, 0xFE, 0xEE, 0xEF, 0xE4};
    Bytes frame(sizeof kHead + text.size() + 1);
    std::copy(std::begin(kHead), std::end(kHead), frame.begin());
    std::copy(text.begin(), text.end(), frame.begin() + sizeof kHead);
    frame.back() = 0xFD;
    return frame;
}

// Splits the radio's output into frames as a receiver keeps them (one FE in
// front, no FD); bytes outside frames are dropped.
std::vector<Bytes> Frames(const Bytes& out) {
    std::vector<Bytes> frames;
    Bytes current;
    bool open = false;
    for (uint8_t b : out) {
        if (b == 0xFE) {
            current.assign(1, b);
            open = true;
        } else if (open && b == 0xFD) {
            frames.push_back(current);
            open = false;
        } else if (open) {
            current.push_back(b);
        }
    }
    return frames;
}

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> memory(size);
    for (size_t i = 0; i < size; ++i) memory[i] = static_cast<uint8_t>(i * 13 + 5);
    return memory;
}

SimConfig Config() {
    SimConfig config;
    config.information = SimRadio::DefaultInformation(1, 2);
    return config;
}

// Decodes a data frame the radio sent, checking what a careful PC checks.
bool Decode(const Bytes& frame, int& address, Bytes& data) {
    if (frame.size() < 4 || frame[3] != 0xE4) return false;
    Bytes bytes;
    for (size_t i = 4; i + 1 < frame.size(); i += 2) {
        auto hex = [](uint8_t c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
        if (!std::isxdigit(frame[i]) || std::islower(frame[i]) || std::islower(frame[i + 1]))
            return false;
        bytes.push_back(static_cast<uint8_t>(hex(frame[i]) << 4 | hex(frame[i + 1])));
    }
    const int sum = std::accumulate(bytes.begin(), bytes.end(), 0);
    if (bytes.size() < 4 || sum % 256 != 0 || bytes[2] != bytes.size() - 4) return false;
    address = bytes[0] << 8 | bytes[1];
    data.assign(bytes.begin() + 3, bytes.end() - 1);
    return true;
}

TEST(SimRadio, AnswersIdentifyWithItsIdentity) {
    SimConfig config = Config();
    config.extraCode = 0;
    SimRadio radio(config, {});
    const std::vector<Bytes> frames = Frames(radio.Feed(kIdentify));
    ASSERT_EQ(frames.size(), 1u);
    Bytes expected = {0xFE, 0xEF, 0xEE, 0xE1, 0x40, 0x01, 0x00, 0x00, 42, 1, 0x20};
    expected.resize(8 + 42, 0);
    EXPECT_EQ(frames[0], expected);
}

TEST(SimRadio, IdentifyArrivingInPiecesIsAnsweredOnce) {
    SimRadio radio(Config(), {});
    EXPECT_TRUE(radio.Feed(Bytes(kIdentify.begin(), kIdentify.begin() + 6)).empty());
    EXPECT_EQ(Frames(radio.Feed(Bytes(kIdentify.begin() + 6, kIdentify.end()))).size(), 1u);
}

TEST(SimRadio, EncodesTheExampleBlock) {
    const uint8_t data[] = {1, 2, 3, 4};
    const Bytes text = SimRadio::EncodeBlock(0x02BC, data, 4);
    EXPECT_EQ(std::string(text.begin(), text.end()), "02BC040102030434");
}

TEST(SimRadio, ReadSendsTheRangeThenTheEnd) {
    const std::vector<uint8_t> memory = Pattern(2949);
    SimRadio radio(Config(), memory);
    const std::vector<Bytes> frames = Frames(radio.Feed(kRead));
    ASSERT_GE(frames.size(), 2u);
    std::vector<uint8_t> seen(2949, 0);
    std::vector<bool> covered(2949, false);
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        int address = 0;
        Bytes data;
        ASSERT_TRUE(Decode(frames[i], address, data)) << i;
        EXPECT_LE(data.size(), 32u);
        for (size_t k = 0; k < data.size(); ++k) {
            seen[address + k] = data[k];
            covered[address + k] = true;
        }
    }
    for (int a = 0; a < 2949; ++a) EXPECT_EQ(covered[a], a <= 0x0B73) << a;
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 0x0B74, seen.begin()));
    const Bytes end = {0xFE, 0xEF, 0xEE, 0xE5, 'N', 'o', 'r', 'v', ' ', 'I', 'n', 'c', '.'};
    EXPECT_EQ(frames.back(), end);
    EXPECT_EQ(radio.Completed(), 1);
}

TEST(SimRadio, WriteStoresOnlyAfterTheEnd) {
    SimRadio radio(Config(), Pattern(2949));
    EXPECT_TRUE(radio.Feed(kWrite).empty());
    EXPECT_EQ(radio.Feed(DataFrame("02BC040102030434")), Bytes{0xF0});
    EXPECT_EQ(radio.Memory()[0x02BC], Pattern(2949)[0x02BC]);
    EXPECT_FALSE(radio.TakeCommitted());
    const std::vector<Bytes> frames = Frames(radio.Feed(kEndOfData));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x00}));
    EXPECT_TRUE(radio.TakeCommitted());
    EXPECT_FALSE(radio.TakeCommitted());
    EXPECT_EQ(Bytes(radio.Memory().begin() + 0x02BC, radio.Memory().begin() + 0x02C0),
              (Bytes{1, 2, 3, 4}));
}

struct BadData {
    const char* name;
    const char* text;
};

class SimRadioBadData : public ::testing::TestWithParam<BadData> {};

TEST_P(SimRadioBadData, IsRefusedAndNotStored) {
    SimRadio radio(Config(), Pattern(2949));
    radio.Feed(kWrite);
    EXPECT_EQ(radio.Feed(DataFrame(GetParam().text)), Bytes{0xFA});
    radio.Feed(kEndOfData);
    EXPECT_EQ(radio.Memory(), Pattern(2949));
}

INSTANTIATE_TEST_SUITE_P(Table, SimRadioBadData,
                         ::testing::Values(BadData{"checksum", "02BC040102030435"},
                                           BadData{"lowercase", "02bc040102030434"},
                                           BadData{"count", "02BC050102030433"},
                                           BadData{"odd", "02BC04010203043"},
                                           BadData{"short", "0B84"},
                                           BadData{"beyond", "0B8402010271"}),
                         [](const auto& param) { return std::string(param.param.name); });

struct FaultCase {
    const char* name;
    bool SimConfig::Faults::*flag;
};

SimRadio FaultyRadio(bool SimConfig::Faults::*flag) {
    SimConfig config = Config();
    config.faults.*flag = true;
    return SimRadio(config, Pattern(2949));
}

// Checks each read frame the way the PC does: what a fault spoils must show.
TEST(SimRadioFaults, ReadFaults) {
    auto firstDecodes = [](const std::vector<Bytes>& frames) {
        int address = 0;
        Bytes data;
        return Decode(frames.front(), address, data);
    };
    auto addresses = [](const std::vector<Bytes>& frames) {
        std::vector<int> list;
        for (const Bytes& f : frames) {
            int address = 0;
            Bytes data;
            if (Decode(f, address, data)) list.push_back(address + static_cast<int>(data.size()) - 1);
        }
        return list;
    };
    EXPECT_FALSE(firstDecodes(Frames(FaultyRadio(&SimConfig::Faults::badChecksum).Feed(kRead))));
    EXPECT_FALSE(firstDecodes(Frames(FaultyRadio(&SimConfig::Faults::lowercaseHex).Feed(kRead))));

    const size_t normal = Frames(SimRadio(Config(), {}).Feed(kRead)).size();
    EXPECT_EQ(Frames(FaultyRadio(&SimConfig::Faults::missingFrame).Feed(kRead)).size(), normal - 1);

    const std::vector<int> extra = addresses(Frames(FaultyRadio(&SimConfig::Faults::extraAddress).Feed(kRead)));
    EXPECT_EQ(extra.back(), 0x0B74);
    const std::vector<int> beyond = addresses(Frames(FaultyRadio(&SimConfig::Faults::beyondImage).Feed(kRead)));
    EXPECT_EQ(beyond.back(), 2949);

    SimRadio stopping = FaultyRadio(&SimConfig::Faults::stopMidway);
    const std::vector<Bytes> half = Frames(stopping.Feed(kRead));
    EXPECT_LT(half.size(), normal / 2 + 1);
    EXPECT_NE(half.back()[3], 0xE5);
    EXPECT_TRUE(stopping.Feed(kIdentify).empty());
}

TEST(SimRadioFaults, WriteFaults) {
    const Bytes good = DataFrame("02BC040102030434");
    auto answerToData = [&](bool SimConfig::Faults::*flag) {
        SimRadio radio = FaultyRadio(flag);
        radio.Feed(kWrite);
        return radio.Feed(good);
    };
    EXPECT_EQ(answerToData(&SimConfig::Faults::refuse), Bytes{0xFA});
    EXPECT_EQ(answerToData(&SimConfig::Faults::notGoOn), Bytes{0x06});

    for (auto flag : {&SimConfig::Faults::acceptedOne, &SimConfig::Faults::noAccepted}) {
        SimRadio radio = FaultyRadio(flag);
        radio.Feed(kWrite);
        radio.Feed(good);
        const std::vector<Bytes> frames = Frames(radio.Feed(kEndOfData));
        if (flag == &SimConfig::Faults::acceptedOne) {
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_EQ(frames[0], (Bytes{0xFE, 0xEF, 0xEE, 0xE6, 0x01}));
        } else {
            EXPECT_TRUE(frames.empty());
        }
        EXPECT_FALSE(radio.TakeCommitted());
        EXPECT_EQ(radio.Memory(), Pattern(2949));
    }

    SimRadio stopping = FaultyRadio(&SimConfig::Faults::stopMidway);
    stopping.Feed(kWrite);
    EXPECT_EQ(stopping.Feed(good), Bytes{0xF0});
    EXPECT_TRUE(stopping.Feed(DataFrame("02C0040102030430")).empty());
    EXPECT_TRUE(stopping.Feed(kEndOfData).empty());
}

TEST(SimRadioFaults, LineFaults) {
    SimRadio echoing = FaultyRadio(&SimConfig::Faults::echo);
    const Bytes out = echoing.Feed(kIdentify);
    ASSERT_GT(out.size(), kIdentify.size());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + kIdentify.size()), kIdentify);

    SimRadio noisy = FaultyRadio(&SimConfig::Faults::noise);
    const Bytes loud = noisy.Feed(kIdentify);
    EXPECT_NE(loud.front(), 0xFE);
    EXPECT_EQ(Frames(loud), Frames(SimRadio(Config(), {}).Feed(kIdentify)));

    SimRadio silentEcho = [] {
        SimConfig config = Config();
        config.faults.silent = true;
        config.faults.echo = true;
        return SimRadio(config, {});
    }();
    EXPECT_EQ(silentEcho.Feed(kIdentify), kIdentify);
    EXPECT_TRUE(FaultyRadio(&SimConfig::Faults::silent).Feed(kIdentify).empty());
}

TEST(SimOptions, ParsesIdentityAndFaults) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(SimOptions::Parse({"--model", "4002", "--extra", "0", "--frame-size", "64",
                                   "--revision", "3.A", "--no-pace", "--echo", "--refuse", "--once"},
                                  o, error))
        << error;
    EXPECT_EQ(o.radio.modelCode, 0x4002);
    EXPECT_EQ(o.radio.extraCode, 0);
    EXPECT_EQ(o.radio.frameSize, 64);
    ASSERT_EQ(o.radio.information.size(), 42u);
    EXPECT_EQ(o.radio.information[1], 3);
    EXPECT_EQ(o.radio.information[2], 0xA0);
    EXPECT_FALSE(o.pace);
    EXPECT_TRUE(o.once);
    EXPECT_TRUE(o.radio.faults.echo);
    EXPECT_TRUE(o.radio.faults.refuse);
    EXPECT_FALSE(o.radio.faults.silent);
}

TEST(SimOptions, RejectsBadValues) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--frame-size", "0"}, {"--frame-size", "256"},
                                               {"--model", "xyz"}, {"--info", "2A0"},
                                               {"--revision", "1"}, {"--unknown"}, {"--baud"}}) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(SimOptions::Parse(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimOptions, HelpNamesEveryFault) {
    const std::string help = SimOptions::HelpText();
    for (const auto& [name, flag] : FaultFlags()) EXPECT_NE(help.find(name), std::string::npos) << name;
}

}  // namespace simtest
