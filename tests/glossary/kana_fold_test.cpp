// Byte vectors are Shift-JIS (CP932): the UTF-8 literals go through the CP932 converter (Sj), and
// the code points written out by hand were checked with Python's cp932 codec, for example
// python3 -c "print('ム'.encode('cp932'))" gives b'\x83\x80'.
#include "glossary/kana_fold.h"

#include <gtest/gtest.h>

#include "glossary/search_highlight.h"
#include "support/glossary_fixture.h"

namespace {

struct FoldCase {
    const char* what;
    std::string text;
    std::string folded;
};

// Every class that folds and every one that stays apart, with the edges of each range.
std::vector<FoldCase> FoldCases() {
    return {
        // Joined: katakana become hiragana, both ends of the range and both sides of its gap.
        {"katakana", Sj("ァアカナリアン"), Sj("ぁあかなりあん")},
        {"katakana around the gap at 0x837F", "\x83\x7E\x83\x80", "\x82\xDD\x82\xDE"},  // ミム
        {"hiragana stay", Sj("ぁかなりあん"), Sj("ぁかなりあん")},
        {"iteration marks", Sj("ヽヾゝゞ"), Sj("ゝゞゝゞ")},
        {"katakana with no hiragana", Sj("ヴヵヶ"), Sj("ヴヵヶ")},
        {"half-width katakana", Sj("ｶﾅﾘｱｦﾝｧｯｬ"), Sj("かなりあをんぁっゃ")},
        {"half-width voiced", Sj("ｶﾞｷﾞﾄﾞﾊﾞﾎﾞﾊﾟﾎﾟｳﾞ"), Sj("がぎどばぼぱぽヴ")},
        {"no joined kana in CP932", Sj("ﾜﾞｦﾞｱﾟｶﾟｳﾟ"), Sj("わ゛を゛あ゜か゜う゜")},
        {"marks standing alone", Sj("ﾞxﾟカﾞｰﾞﾞﾞｶﾞﾞ"), Sj("゛x゜か゛ー゛゛゛が゛")},
        {"half-width punctuation", Sj("ｰ･｡｢｣､"), Sj("ー・。「」、")},
        {"full-width Latin and digits", Sj("ＡＺａｚ０９"), "azaz09"},
        {"ASCII case", "@AZ[`az{09", "@az[`az{09"},
        // Kept apart.
        {"voiced marks", Sj("かがカガはばぱ"), Sj("かがかがはばぱ")},
        {"small kana", Sj("っつッツゃや"), Sj("っつっつゃや")},
        {"long vowel mark", Sj("アーああ"), Sj("あーああ")},
        {"kanji variants", Sj("斉斎齋"), Sj("斉斎齋")},
        {"full-width signs", Sj("！＠＿゛゜"), Sj("！＠＿゛゜")},
        {"Greek after katakana", "\x83\x9F\x83\xBF", "\x83\x9F\x83\xBF"},  // Αα
        // Bytes inside a character are not characters: じ's trail 0xB6 is not ｶ, ア's 0x41 is
        // not A, and a mark after a two-byte character joins nothing.
        {"trail bytes", "\x82\xB6\x83\x41\x82\xB6\xDE", "\x82\xB6\x82\xA0\x82\xB6\x81\x4A"},
        {"malformed bytes kept", std::string("\x83\x0A\x80\xA0\xFD\xFF\0Z\x82", 9),
         std::string("\x83\x0A\x80\xA0\xFD\xFF\0z\x82", 9)},
        {"empty", "", ""},
    };
}

}  // namespace

TEST(FoldForSearch, JoinsEachFoldedClassAndKeepsTheOthersApart) {
    for (const FoldCase& c : FoldCases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FoldForSearch(c.text), c.folded);
        EXPECT_EQ(FoldForSearch(c.folded), c.folded);  // folding twice changes nothing more

        // Every byte of the result comes from a character that starts in the text, in order.
        std::vector<std::size_t> sourceStarts;
        EXPECT_EQ(FoldForSearch(c.text, sourceStarts), c.folded);
        ASSERT_EQ(sourceStarts.size(), c.folded.size() + 1);
        EXPECT_EQ(sourceStarts.back(), c.text.size());
        for (std::size_t i = 1; i < sourceStarts.size(); ++i) {
            EXPECT_LE(sourceStarts[i - 1], sourceStarts[i]);
        }
    }
}

namespace {

struct OccurrenceCase {
    const char* what;
    std::string text;
    std::string needle;
    SearchMatch match;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
};

}  // namespace

TEST(FindOccurrences, FindsEveryMatchAtCharacterBoundariesOverTheOriginalCharacters) {
    const auto exact = SearchMatch::Exact;
    const auto folded = SearchMatch::Folded;
    const OccurrenceCase cases[] = {
        {"every match", Sj("あいうあい"), Sj("あい"), exact, {{0, 4}, {6, 10}}},
        {"no overlaps", "aaaaa", "aa", exact, {{0, 2}, {2, 4}}},
        {"never inside a character", Sj("アA"), "A", exact, {{2, 3}}},  // ア is 0x83 0x41
        {"no folding when exact", Sj("かカｶ"), Sj("か"), exact, {{0, 2}}},
        {"a cut character is covered whole", Sj("あい"), "\x82", exact, {{0, 2}, {2, 4}}},
        {"empty needle", "abc", "", exact, {}},
        {"empty needle, folded", "abc", "", folded, {}},
        {"nothing found", Sj("かき"), Sj("く"), folded, {}},
        // ｶﾞ is two bytes of the text, ガ two, ＧＡＳ six: each range spans what was written.
        {"kana of every form",
         Sj("ｶﾞｽとガスとがす"),
         Sj("ガス"),
         folded,
         {{0, 3}, {5, 9}, {11, 15}}},
        {"half-width needle", Sj("カナリア"), Sj("ﾅﾘ"), folded, {{2, 6}}},
        {"Latin of every width and case", Sj("ＧＡＳ gas"), "Gas", folded, {{0, 6}, {7, 10}}},
        {"a joined kana is not its plain kana", Sj("ｶﾞｶ"), Sj("か"), folded, {{2, 3}}},
        {"a mark with no joined kana", Sj("ﾜﾞﾜ"), Sj("わ"), folded, {{0, 1}, {2, 3}}},
        {"never inside a folded character", Sj("アA"), "a", folded, {{2, 3}}},
        {"a cut character is covered whole, folded",
         Sj("あいｱ"),
         "\x82",
         folded,
         {{0, 2}, {2, 4}, {4, 5}}},
    };
    for (const OccurrenceCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<std::size_t, std::size_t>> ranges;
        for (const ByteRange& range : FindOccurrences(c.text, c.needle, c.match)) {
            ranges.emplace_back(range.begin, range.end);
        }
        EXPECT_EQ(ranges, c.ranges);
    }
}
