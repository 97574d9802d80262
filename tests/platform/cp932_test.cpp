// Expected bytes are from the CP932 code table (the same values Windows' code page 932 gives).
#include "platform/cp932.h"

#include <gtest/gtest.h>

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

TEST(Cp932, EncodesBothUnicodeFormsOfAmbiguousCharactersAlike) {
    const struct {
        const char* first;
        const char* second;
        const char* bytes;
    } pairs[] = {
        {"\u301C", "\uFF5E", "\x81\x60"},  // wave dash / fullwidth tilde
        {"\u2016", "\u2225", "\x81\x61"},  // double vertical line / parallel to
        {"\u2212", "\uFF0D", "\x81\x7C"},  // minus sign / fullwidth hyphen-minus
        {"\u2014", "\u2015", "\x81\x5C"},  // em dash / horizontal bar
        {"\u00A2", "\uFFE0", "\x81\x91"},  // cent
        {"\u00A3", "\uFFE1", "\x81\x92"},  // pound
        {"\u00AC", "\uFFE2", "\x81\xCA"},  // not sign
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(Utf8ToCp932(pair.first), std::string(pair.bytes)) << pair.bytes;
        EXPECT_EQ(Utf8ToCp932(pair.second), std::string(pair.bytes)) << pair.bytes;
    }
}

TEST(Cp932, RoundTripsJapaneseTextWithBackslashLikeTrailBytes) {
    // 表 0x95 0x5C and ソ 0x83 0x5C carry 0x5C as trail byte.
    const std::string utf8 = "表ソ能 かなカナ ｶﾅ abc";
    const auto bytes = Utf8ToCp932(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 6), "\x95\x5C\x83\x5C\x94\x5C");
    EXPECT_EQ(Cp932ToUtf8(*bytes), utf8);
    EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\uFF5E");
    EXPECT_EQ(Utf8ToCp932(""), std::string());
}

TEST(Cp932, RefusesTextWithoutAShiftJisForm) {
    EXPECT_FALSE(Utf8ToCp932("caf\u00E9"));   // é
    EXPECT_FALSE(Utf8ToCp932("\U0001F600"));  // emoji
    EXPECT_FALSE(Utf8ToCp932("\xE3\x81"));    // cut-off UTF-8
    EXPECT_FALSE(Utf8ToCp932("\xC0\xAF"));    // overlong UTF-8
}

TEST(Cp932, DecodesBrokenBytesAsReplacementCharacters) {
    const std::string replacement = "\uFFFD";
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a" + replacement);  // lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\x82\n"
                          "b"),
              replacement + "\nb");                                  // LF is never a trail byte
    EXPECT_EQ(Cp932ToUtf8("\x85\x40x"), replacement + "x");          // unassigned pair: one mark
    EXPECT_EQ(Cp932ToUtf8("\xFD\x82\xA0"), replacement + "\u3042");  // invalid byte, then あ
}
