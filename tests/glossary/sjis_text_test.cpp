// Byte vectors are Shift-JIS (CP932), written out by hand from the code table; the UTF-8 in the
// comments names the characters.
#include "glossary/sjis_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Runs ReplaceAll on a copy of `text` in a scratch-sized buffer and returns the result.
std::string Replace(const std::string& text, const std::string& pattern,
                    const std::string& replacement) {
    char buffer[kReplaceScratchSize] = {};
    std::memcpy(buffer, text.data(), text.size());
    int length = static_cast<int>(text.size());
    const int returned =
        ReplaceAll(buffer, length, pattern.data(), static_cast<int>(pattern.size()),
                   replacement.data(), static_cast<int>(replacement.size()));
    EXPECT_EQ(returned, length);
    EXPECT_EQ(buffer[length], '\0');
    return std::string(buffer, static_cast<std::size_t>(length));
}

const std::string kLf = "\n";
const std::string kIdeographicSpace = "\x81\x40";

}  // namespace

TEST(SjisCompare, OrdersByWholeCharacters) {
    EXPECT_LT(SjisCompare("\x82\xA9", "\x82\xAA"), 0);  // か < が
    EXPECT_GT(SjisCompare("\x82\xAA", "\x82\xA9"), 0);
    EXPECT_EQ(SjisCompare("\x82\xA0\x82\xA9", "\x82\xA0\x82\xA9"), 0);
    EXPECT_LT(SjisCompare("", "\x82\xA0"), 0);                  // empty < あ
    EXPECT_LT(SjisCompare("\x82\xA0", "\x82\xA0\x82\xA0"), 0);  // a prefix orders first
    // Half-width katakana ｱ (0xB1) is one character below every two-byte one, although its byte
    // is larger than the lead byte 0x82.
    EXPECT_LT(SjisCompare("\xB1", "\x82\xA0"), 0);
    EXPECT_LT(SjisCompare("z", "\x82\x9F"), 0);
}

TEST(SjisCompare, EndsAtNulAndAtALeadByteCutOffByTheEnd) {
    EXPECT_EQ(SjisCompare("\x82\xA0\x82", "\x82\xA0"), 0);  // あ + lone lead == あ
    EXPECT_EQ(SjisCompare(std::string("ab\0c", 4), "ab"), 0);
}

TEST(SjisFind, FindsOnlyAtCharacterBoundaries) {
    // ア is 0x83 0x41; "A" (0x41) inside it is a trail byte, not a match.
    EXPECT_EQ(SjisFind("\x83\x41", "A"), -1);
    EXPECT_EQ(SjisFind("\x83\x41"
                       "A",
                       "A"),
              2);
    // 表 is 0x95 0x5C: its trail byte looks like a backslash.
    EXPECT_EQ(SjisFind("\x95\x5C", "\\"), -1);
    EXPECT_EQ(SjisFind("x\x82\xA0y\x82\xA0", "\x82\xA0"), 1);  // the first match
    EXPECT_EQ(SjisFind("abc", "abcd"), -1);
    EXPECT_EQ(SjisFind("a b", " "), 1);
    EXPECT_EQ(SjisFind("ab", "b "), -1);  // trailing spaces are part of the needle
    EXPECT_EQ(SjisFind("Abc", "a"), -1);  // no case folding
}

TEST(ReplaceAll, ReplacesEveryMatchThatStartsOnACharacterBoundary) {
    const std::string nul(1, '\0');
    const struct {
        std::string text, pattern, replacement, expected;
    } cases[] = {
        // Wrapped lines collapse: each replacement restarts the search from the beginning.
        {"A" + kLf + kIdeographicSpace + kIdeographicSpace + "B", kLf + kIdeographicSpace, kLf,
         "A\nB"},
        {std::string("ab\0cd\0ef", 8), nul, "", "abcdef"},  // NUL bytes inside the text
        {"n\n", "n\n", "", ""},                             // down to the empty text
        {"", "x", "", ""},
        // ハ (0x83 0x6E) + LF: the 0x6E is ハ's trail byte, so "n" + LF does not match.
        {"\x83\x6E\n", "n\n", "", "\x83\x6E\n"},
        {"\x83\x6E"
         "an\nb",
         "n\n", "",
         "\x83\x6E"
         "ab"},  // a real letter n before LF goes
        // 」「 after the kanji 0x88 0x81 is no match: the walk reads 0x88 0x81, then 0x76, then
        // 0x81 0x75, so the pattern would start on a trail byte.
        {"\x81\x76\x81\x75", "\x81\x76\x81\x75", "\x81\x41", "\x81\x41"},
        {"\x88\x81\x76\x81\x75", "\x81\x76\x81\x75", "\x81\x41", "\x88\x81\x76\x81\x75"},
        // NUL and LF are never swallowed as trail bytes: a lead byte before them stands alone.
        {std::string("\x82\0x", 3), nul, "", "\x82x"},
        {"\x82\nx", "\n", "", "\x82x"},
        // A replacement can complete a match that begins before it; the next pass takes it.
        {"aaaab", "ab", "b", "b"},
        {"\n\n\n!!!", "\n!", "!", "!!!"},
        // A run of a one-byte pattern goes, also when every occurrence grows the text.
        {std::string("a\0\0b\0", 5), nul, "--", "a----b--"},
        // ハ + "n" + LF + LF: after the first pass removes "n" + LF, the next "n" + LF would
        // start on ハ's trail byte, so it stays.
        {"\x83nn\n\n", "n\n", "", "\x83n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " / " + testing::PrintToString(c.pattern));
        EXPECT_EQ(Replace(c.text, c.pattern, c.replacement), c.expected);
    }
}

TEST(ReplaceAll, KeepsTheTextWithinTheScratchSpace) {
    // A replacement that grows the text stops before the text and its terminator would outgrow
    // the scratch space.
    char buffer[kReplaceScratchSize] = {};
    std::memset(buffer, 'a', 2000);
    int length = 2000;
    ReplaceAll(buffer, length, "a", 1, "bb", 2);
    EXPECT_LT(length, kReplaceScratchSize);
    EXPECT_EQ(buffer[length], '\0');
    // Arguments outside the contract leave the text alone.
    length = 2000;
    EXPECT_EQ(ReplaceAll(buffer, length, "", 0, "x", 1), 2000);
    EXPECT_EQ(ReplaceAll(buffer, length, "b", 1, "x", -1), 2000);
    // The longest text the arguments allow: 4094 bytes, a one-byte pattern and replacement.
    const std::string full(4093, 'a');
    EXPECT_EQ(Replace(full + "b", "b", "c"), full + "c");
}

TEST(ReplaceAll, GrowingReplacementsStopAtTheScratchSpaceWhateverThePattern) {
    // Each replacement adds a byte; the last one that fits leaves 4095 bytes and the terminator.
    std::string ab;
    for (int i = 0; i < 1095; ++i) {
        ab += "ab";
    }
    EXPECT_EQ(Replace(std::string(3000, '\n'), "\n", "ab"), ab + std::string(1905, '\n'));
    // "a!" may begin on a trail byte, so it is matched character by character.
    for (const std::string pair : {"\n!", "a!"}) {
        std::string lines;
        std::string abc;
        for (int i = 0; i < 1500; ++i) {
            lines += pair;
            abc += i < 1095 ? "abc" : "";
        }
        std::string rest;
        for (int i = 1095; i < 1500; ++i) {
            rest += pair;
        }
        EXPECT_EQ(Replace(lines, pair, "abc"), abc + rest) << pair;
    }
}

TEST(KatakanaToHiragana, MapsKatakanaOntoHiraganaOneForOne) {
    // カタカナ -> かたかな
    EXPECT_EQ(KatakanaToHiragana("\x83\x4A\x83\x5E\x83\x4A\x83\x69"),
              "\x82\xA9\x82\xBD\x82\xA9\x82\xC8");
    EXPECT_EQ(KatakanaToHiragana("\x83\x7E"), "\x82\xDD");  // ミ -> み (trail below 0x7F)
    EXPECT_EQ(KatakanaToHiragana("\x83\x80"), "\x82\xDE");  // ム -> む (trail above 0x7F)
    EXPECT_EQ(KatakanaToHiragana("\x83\x93"), "\x82\xF1");  // ン -> ん
    EXPECT_EQ(KatakanaToHiragana("\x83\x40"), "\x82\x9F");  // ァ -> ぁ
    EXPECT_EQ(KatakanaToHiragana("\x83\x94\x83\x95\x83\x96"),
              "\x83\x94\x83\x95\x83\x96");                          // ヴヵヶ
    EXPECT_EQ(KatakanaToHiragana("Abc \x81\x5B"), "Abc \x81\x5B");  // ASCII and ー unchanged
}

TEST(KatakanaToHiragana, LeavesKanjiWhoseTrailByteIs0x83) {
    // 0x8C 0x83 is one kanji (its trail byte is 0x83); the ア (0x83 0x41) after it converts,
    // the kanji does not.
    EXPECT_EQ(KatakanaToHiragana("\x8C\x83\x83\x41"), "\x8C\x83\x82\xA0");
    EXPECT_EQ(KatakanaToHiragana("\x8C\x83"
                                 "A"),
              "\x8C\x83"
              "A");
    EXPECT_EQ(KatakanaToHiragana(std::string("\x83\x4A\0\x83\x4A", 5)), "\x82\xA9");
}
