#include "model/cmcFieldCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodecTestSupport.h"
#include "model/cmcHalfKana.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using codectest::CodecWorld;
using codectest::Sj;
using Bytes = std::vector<uint8_t>;

cmcCellCapsule Commit(const std::string& text) {
    cmcCellCapsule c;
    c.origin = cmcCellCapsule::kOriginEditor;
    c.request = cmcCellCapsule::kRequestEnter;
    c.inText = text;
    return c;
}

cmcCellCapsule Key(int32_t key, void* host) {
    cmcCellCapsule c;
    c.request = key;
    c.editHost = host;
    return c;
}

Bytes B(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// ---- NumberField

struct NumberCommitCase {
    std::string text;
    int32_t min, max, offLabel, before;
    int32_t changed, after;
};

class NumberCommitTest : public ::testing::TestWithParam<NumberCommitCase> {};

TEST_P(NumberCommitTest, StoresClampsOrRejects) {
    CodecWorld world;
    const NumberCommitCase& c = GetParam();
    cmcCellCapsule request = Commit(c.text);
    int32_t value = c.before, out = -1;
    EXPECT_EQ(cmcFieldCodec::NumberField(request, value, c.min, c.max, c.offLabel, out), c.changed);
    EXPECT_EQ(value, c.after);
    EXPECT_EQ(out, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberCommitTest,
    ::testing::Values(NumberCommitCase{"200", 0, 127, 0, 5, 1, 127}, NumberCommitCase{"12a", 0, 127, 0, 5, 0, 5},
                      NumberCommitCase{"", 0, 127, 0, 5, 0, 5}, NumberCommitCase{"-5", 0, 127, 0, 5, 1, 0},
                      NumberCommitCase{" 5", 0, 127, 0, 9, 0, 9}, NumberCommitCase{"5 ", 0, 127, 0, 9, 0, 9},
                      NumberCommitCase{"7", 0, 127, 0, 7, 1, 7},  // equal still counts as changed
                      NumberCommitCase{"1234567890123", 0, 2000000000, 0, 0, 1, 123456789},
                      NumberCommitCase{"1234567890123", 0, 1000, 0, 0, 1, 1000},
                      NumberCommitCase{"-000000012", -100, 100, 0, 0, 1, -1},
                      NumberCommitCase{"OFF", 0, 99, 1, 5, 1, 0}, NumberCommitCase{"off", 0, 99, 1, 5, 1, 0},
                      NumberCommitCase{"Off", 0, 99, 1, 5, 0, 5}, NumberCommitCase{"OFF", 0, 99, 2, 5, 0, 5},
                      NumberCommitCase{"OFF", 0, 99, 0, 5, 0, 5}, NumberCommitCase{"3.5", 0, 99, 0, 5, 0, 5}));

struct NumberDisplayCase {
    int32_t value, offLabel;
    std::string shown;  // UTF-8
};

class NumberDisplayTest : public ::testing::TestWithParam<NumberDisplayCase> {};

TEST_P(NumberDisplayTest, ShowsNumberOrOffLabelSelected) {
    CodecWorld world;
    const NumberDisplayCase& c = GetParam();
    cmcCellCapsule request;
    int32_t value = c.value, out = -1;
    EXPECT_EQ(cmcFieldCodec::NumberField(request, value, -10, 10, c.offLabel, out), 0);
    EXPECT_EQ(request.outText, Sj(c.shown));
    EXPECT_EQ(request.caretPosition, 0);
    EXPECT_EQ(request.selectionLength, static_cast<int32_t>(request.outText.size()));
}

INSTANTIATE_TEST_SUITE_P(Values, NumberDisplayTest,
                         ::testing::Values(NumberDisplayCase{0, 0, "0"}, NumberDisplayCase{-7, 0, "-7"},
                                           NumberDisplayCase{0, 1, "OFF"}, NumberDisplayCase{0, 2, "無制限"},
                                           NumberDisplayCase{0, 3, "直前のチャンネル"},
                                           NumberDisplayCase{4, 3, "4"}));

struct NumberKeyCase {
    int32_t key, before, offLabel;
    int32_t changed, after, outResult;
    std::string editor;
    int32_t caret, selection;
};

class NumberKeyTest : public ::testing::TestWithParam<NumberKeyCase> {};

TEST_P(NumberKeyTest, StepsWrapsOrOpensTheEditor) {
    CodecWorld world;
    const NumberKeyCase& c = GetParam();
    int host = 0;
    cmcCellCapsule request = Key(c.key, &host);
    int32_t value = c.before, out = -1;
    EXPECT_EQ(cmcFieldCodec::NumberField(request, value, 0, 127, c.offLabel, out), c.changed);
    EXPECT_EQ(value, c.after);
    EXPECT_EQ(out, c.outResult);
    if (c.outResult == 2) {
        EXPECT_EQ(request.outText, c.editor);
        EXPECT_EQ(request.caretPosition, c.caret);
        EXPECT_EQ(request.selectionLength, c.selection);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, NumberKeyTest,
                         ::testing::Values(NumberKeyCase{32, 127, 0, 1, 0, 0, "", 0, 0},
                                           NumberKeyCase{8, 0, 0, 1, 127, 0, "", 0, 0},
                                           NumberKeyCase{32, 5, 0, 1, 6, 0, "", 0, 0},
                                           NumberKeyCase{13, 42, 0, 0, 42, 2, "42", 0, 2},
                                           NumberKeyCase{13, 0, 1, 0, 0, 2, "0", 0, 1},
                                           NumberKeyCase{'7', 42, 0, 0, 42, 2, "7", 1, 0},
                                           NumberKeyCase{'o', 42, 1, 0, 42, 2, "o", 1, 0},
                                           NumberKeyCase{'O', 42, 1, 0, 42, 2, "O", 1, 0},
                                           NumberKeyCase{'-', 42, 0, 0, 42, 2, "-", 1, 0},
                                           NumberKeyCase{'x', 42, 0, 0, 42, 0, "", 0, 0}));

TEST(NumberFieldTest, KeysNeedAnEditHost) {
    CodecWorld world;
    for (int32_t key : {32, 8, 13, int32_t{'5'}}) {
        cmcCellCapsule request = Key(key, nullptr);
        int32_t value = 3, out = -1;
        EXPECT_EQ(cmcFieldCodec::NumberField(request, value, 0, 9, 0, out), 0);
        EXPECT_EQ(value, 3);
        EXPECT_EQ(out, 0);
    }
}

TEST(NumberFieldTest, StepAtTheEdgesOfTheIntegerRangeDoesNotOverflow) {
    CodecWorld world;
    int host = 0;
    cmcCellCapsule up = Key(32, &host);
    int32_t value = INT32_MAX, out = 0;
    cmcFieldCodec::NumberField(up, value, INT32_MIN, INT32_MAX, 0, out);
    EXPECT_EQ(value, INT32_MIN);
    cmcCellCapsule down = Key(8, &host);
    cmcFieldCodec::NumberField(down, value, INT32_MIN, INT32_MAX, 0, out);
    EXPECT_EQ(value, INT32_MAX);
}

// ---- TextField and NameField: committed text to stored bytes

struct TextCase {
    const char* what;
    Bytes input;  // committed text, code page 932
    Bytes stored;
    bool name = false;
    bool userChars = false;
    bool padZero = true;
};

class TextCommitTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextCommitTest, StoresTheCleanedBytes) {
    CodecWorld world;
    const TextCase& c = GetParam();
    const int32_t n = static_cast<int32_t>(c.stored.size());
    Bytes buffer(n, 0x55);
    cmcCellCapsule request = Commit(std::string(c.input.begin(), c.input.end()));
    int32_t out = -1;
    const int32_t changed = c.name ? cmcFieldCodec::NameField(request, buffer.data(), n, c.padZero, c.userChars, out)
                                   : cmcFieldCodec::TextField(request, buffer.data(), n, c.padZero, out);
    EXPECT_EQ(changed, 1) << c.what;
    EXPECT_EQ(buffer, c.stored) << c.what;
    EXPECT_EQ(out, 0) << c.what;
}

Bytes Pad(Bytes b, size_t n, uint8_t pad = 0) {
    b.resize(n, pad);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TextCommitTest,
    ::testing::Values(
        TextCase{"short text padded with 0", B("AB"), Pad(B("AB"), 12)},
        TextCase{"padded with blanks", B("AB"), Pad(B("AB"), 12, ' '), false, false, false},
        TextCase{"13 bytes lose the last", B("ABCDEFGHIJKLM"), B("ABCDEFGHIJKL")},
        TextCase{"lead byte at the end becomes pad", B("ABCDEFGHIJK" + Sj("あ")),
                 Pad(B("ABCDEFGHIJK"), 12)},
        TextCase{"double-byte inside kept", B(Sj("あい")), Pad(B(Sj("あい")), 12)},
        TextCase{"tab and DEL become blanks", B("A\tB\x7f"), Pad(B("A B "), 12)},
        TextCase{"equal text still changed", B("ABCDEFGHIJKL"), B("ABCDEFGHIJKL")},
        TextCase{"user char passes a text field", Bytes{'A', 240, 74}, Pad(Bytes{'A', 240, 74}, 12)},
        TextCase{"trail byte 0x7C kept with its lead", B(Sj("ポ")), Pad(B(Sj("ポ")), 12)},
        // names
        TextCase{"ka and voicing mark give ga", Bytes{0xB6, 0xDE, 'X'}, Pad(B(Sj("ガX")), 13), true},
        TextCase{"ha and semi mark give pa", Bytes{0xCA, 0xDF}, Pad(B(Sj("パ")), 13), true},
        TextCase{"u and voicing mark give vu", Bytes{0xB3, 0xDE}, Pad(B(Sj("ヴ")), 13), true},
        TextCase{"single a pushes right", Bytes{0xB1, 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'},
                 B(Sj("ア") + "BCDEFGHIJKL"), true},
        TextCase{"katakana at the last byte is a blank", Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 0xB1},
                 B("ABCDEFGHIJKL "), true},
        TextCase{"lone mark removed", Bytes{'A', 0xDE, 'B'}, Pad(B("AB"), 13), true},
        TextCase{"lone mark removed, blank pad", Bytes{'A', 0xDF, 'B'}, Pad(B("AB"), 13, ' '), true, false, false},
        TextCase{"two lone marks", Bytes{0xDE, 0xDF, 'Z'}, Pad(B("Z"), 13), true},
        TextCase{"mark that voices nothing is dropped", Bytes{0xB1, 0xDE}, Pad(B(Sj("ア")), 13), true},
        TextCase{"half-width punctuation widened", Bytes{0xA2, 0xA3, 0xB0}, Pad(B(Sj("「」ー")), 13), true},
        TextCase{"double-byte at the end becomes 0", B("ABCDEFGHIJKL" + Sj("あ")), Pad(B("ABCDEFGHIJKL"), 13), true},
        TextCase{"escape decoded", B("%U0A"), Pad(Bytes{240, 74}, 13), true, true},
        TextCase{"lower-case hex escape", B("x%U0fy"), Pad(Bytes{'x', 240, 79, 'y'}, 13), true, true},
        TextCase{"short escape kept", B("ab%U0"), Pad(B("ab%U0"), 13), true, true},
        TextCase{"escape kept without the flag", B("%U0A"), Pad(B("%U0A"), 13), true, false},
        TextCase{"bad escape digit kept", B("%U0G"), Pad(B("%U0G"), 13), true, true}));

TEST(HalfKanaTest, EveryHalfWidthCharacterHasADoubleByteForm) {
    for (int b = cmcHalfKana::kFirst; b <= cmcHalfKana::kLast; ++b) {
        const uint16_t wide = cmcHalfKana::FullWidth(static_cast<uint8_t>(b));
        const std::string pair = {static_cast<char>(wide >> 8), static_cast<char>(wide & 0xFF)};
        const std::string half(1, static_cast<char>(b));
        EXPECT_TRUE(Cp932::IsLeadByte(static_cast<unsigned char>(pair[0]))) << b;
        EXPECT_NE(Cp932::ToUtf8(pair), Cp932::ToUtf8(half)) << b;
    }
    EXPECT_EQ(cmcHalfKana::FullWidth('A'), 0);
}

TEST(HalfKanaTest, VoicedPairsMatchTheirFullWidthCharacters) {
    const struct {
        uint8_t kana, mark;
        const char* full;
    } pairs[] = {{0xB6, 0xDE, "ガ"}, {0xC4, 0xDE, "ド"}, {0xC2, 0xDE, "ヅ"}, {0xBB, 0xDE, "ザ"},
                 {0xCE, 0xDE, "ボ"}, {0xCE, 0xDF, "ポ"}, {0xCA, 0xDF, "パ"}, {0xB3, 0xDE, "ヴ"}};
    for (const auto& p : pairs) {
        const uint16_t wide = cmcHalfKana::FullWidthPair(p.kana, p.mark);
        const std::string bytes = {static_cast<char>(wide >> 8), static_cast<char>(wide & 0xFF)};
        EXPECT_EQ(bytes, Sj(p.full)) << p.full;
    }
    EXPECT_EQ(cmcHalfKana::FullWidthPair(0xB1, 0xDE), 0);  // a has no voiced form
    EXPECT_EQ(cmcHalfKana::FullWidthPair(0xB6, 0xDF), 0);  // ka takes no semi mark
}

TEST(NameFieldTest, UserCharactersShownAndEditedAsEscapes) {
    CodecWorld world;
    Bytes buffer = Pad(Bytes{'A', 240, 74, 'B'}, 13);
    int host = 0;
    cmcCellCapsule query;
    int32_t out = -1;
    EXPECT_EQ(cmcFieldCodec::NameField(query, buffer.data(), 13, true, true, out), 0);
    EXPECT_EQ(query.outText, "A U0A B");
    cmcCellCapsule enter = Key(13, &host);
    cmcFieldCodec::NameField(enter, buffer.data(), 13, true, true, out);
    EXPECT_EQ(out, 2);
    EXPECT_EQ(enter.outText, "A%U0AB");
    cmcCellCapsule commit = Commit(enter.outText);
    Bytes again(13, 0);
    EXPECT_EQ(cmcFieldCodec::NameField(commit, again.data(), 13, true, true, out), 1);
    EXPECT_EQ(again, buffer);
}

struct TextKeyCase {
    int32_t key;
    bool name;
    int32_t outResult;
    std::string editor;
    int32_t caret, selection;
};

class TextKeyTest : public ::testing::TestWithParam<TextKeyCase> {};

TEST_P(TextKeyTest, OpensTheEditorOnTheRightKeys) {
    CodecWorld world;
    bool composing = true;
    world.cache.isComposing = [&composing](void*) { return composing; };
    const TextKeyCase& c = GetParam();
    Bytes buffer = Pad(B("AB"), 12);
    int host = 0;
    cmcCellCapsule request = Key(c.key, &host);
    int32_t out = -1;
    const int32_t changed = c.name ? cmcFieldCodec::NameField(request, buffer.data(), 12, true, false, out)
                                   : cmcFieldCodec::TextField(request, buffer.data(), 12, true, out);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(out, c.outResult);
    EXPECT_EQ(buffer, Pad(B("AB"), 12));
    if (c.outResult == 2) {
        EXPECT_EQ(request.outText, c.editor);
        EXPECT_EQ(request.caretPosition, c.caret);
        EXPECT_EQ(request.selectionLength, c.selection);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextKeyTest,
    ::testing::Values(TextKeyCase{13, false, 2, "AB", 0, 2}, TextKeyCase{32, false, 2, "AB", 0, 2},
                      TextKeyCase{8, true, 2, "AB", 0, 2}, TextKeyCase{'q', false, 2, "q", 1, 0},
                      TextKeyCase{'~', true, 2, "~", 1, 0}, TextKeyCase{0xB1, false, 2, "\xB1", 1, 0},
                      TextKeyCase{0xB1, true, 0, "", 0, 0}, TextKeyCase{9, false, 0, "", 0, 0},
                      TextKeyCase{cmcCellCapsule::kRequestInputMethod, false, 2, "", 0, 0},
                      TextKeyCase{cmcCellCapsule::kRequestInputMethod, true, 2, "", 0, 0}));

TEST(TextFieldTest, InputMethodKeyWithoutCompositionDoesNothing) {
    CodecWorld world;
    void* seenSender = nullptr;
    world.cache.isComposing = [&seenSender](void* sender) {
        seenSender = sender;
        return false;
    };
    Bytes buffer = Pad(B("AB"), 12);
    int host = 0, window = 0;
    cmcCellCapsule request = Key(cmcCellCapsule::kRequestInputMethod, &host);
    request.sender = &window;
    int32_t out = -1;
    cmcFieldCodec::TextField(request, buffer.data(), 12, true, out);
    EXPECT_EQ(out, 0);
    EXPECT_EQ(seenSender, &window);
}

TEST(TextFieldTest, QueryShowsUpToTheFirstZeroAndCleansControlBytes) {
    CodecWorld world;
    Bytes buffer = Pad(Bytes{'A', 1, 'B', 0, 'C'}, 12);
    cmcCellCapsule request;
    int32_t out = -1;
    EXPECT_EQ(cmcFieldCodec::TextField(request, buffer.data(), 12, true, out), 0);
    EXPECT_EQ(request.outText, "A B");
    EXPECT_EQ(request.selectionLength, 3);
}

// ---- ChoiceField

TEST(ChoiceFieldTest, PermitFlagStepsAndShowsError) {
    CodecWorld world;
    const int32_t flex = world.Flex("Flex0");
    int host = 0;
    int32_t value = 1, out = -1;
    std::vector<int32_t> seen;
    for (int i = 0; i < 2; ++i) {
        cmcCellCapsule space = Key(32, &host);
        EXPECT_EQ(cmcFieldCodec::ChoiceField(space, "GI_Sheet_Sel_Permit_Flag", flex, value, out), 1);
        seen.push_back(value);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 1}));
    value = 5;
    cmcCellCapsule query;
    cmcFieldCodec::ChoiceField(query, "GI_Sheet_Sel_Permit_Flag", flex, value, out);
    EXPECT_EQ(query.outText, "error");
    cmcCellCapsule space = Key(32, &host);
    EXPECT_EQ(cmcFieldCodec::ChoiceField(space, "GI_Sheet_Sel_Permit_Flag", flex, value, out), 1);
    EXPECT_EQ(value, 0);
}

}  // namespace
