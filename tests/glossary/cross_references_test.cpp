#include "glossary/cross_references.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "glossary/entry_text.h"
#include "support/glossary_fixture.h"

namespace {

using Edits = std::vector<std::pair<int, std::string>>;        // entry, Shift-JIS text
using Link = std::tuple<LinkField, std::string, std::string>;  // field, bytes, target's text1

// Entry 0 (which has a text2) is shown; entries keep NumberedEntries' texts unless edited.
struct Case {
    const char* name;
    Edits titles;
    Edits readings;
    std::string text2;
    std::string text1;
    std::vector<Link> links;
    std::vector<std::string> targets;  // LinkTargets, as the targets' text1
};

const LinkField T1 = LinkField::Text1;
const LinkField T2 = LinkField::Text2;

}  // namespace

TEST(CrossReferences, FollowTheLinkRules) {
    const Case cases[] = {
        {"longest first, then on after the link",
         {{1, "AB"}, {2, "ABCD"}, {3, "CDEF"}},
         {},
         "ABCDEF",
         "ABABCD AB",
         {{T2, "ABCD", "T002"}, {T1, "AB", "T001"}, {T1, "ABCD", "T002"}, {T1, "AB", "T001"}},
         {"T002", "T001"}},
        // 塔 is 0x93 0x83 and アイ 0x83 0x41 0x83 0x43: "塔Aイ" holds アイ's bytes from 塔's trail.
        {"never from a trail byte",
         {{1, Sj("アイ")}},
         {},
         "",
         Sj("塔Aイ・アイ"),
         {{T1, Sj("アイ"), "T001"}},
         {"T001"}},
        {"never across the two fields", {{1, "ABCD"}}, {}, "xxAB", "CDxx", {}, {}},
        // The shown entry and entry 5 share ABCD, which is no candidate; ABC is.
        {"not the entry's own title",
         {{0, "ABCD"}, {5, "ABCD"}, {1, "ABC"}},
         {},
         "",
         "ABCD",
         {{T1, "ABC", "T001"}},
         {"T001"}},
        {"a shared title leads to the first in kana order",
         {{3, "WXYZ"}, {7, "WXYZ"}},
         {{3, Sj("（い）")}, {7, Sj("（あ）")}},
         "",
         "WXYZ",
         {{T1, "WXYZ", "T007"}},
         {"T007"}},
        {"one character is too short",
         {{1, Sj("灯")}, {2, "A"}, {3, Sj("Aア")}},
         {},
         "",
         Sj("灯A灯Aア"),
         {{T1, Sj("Aア"), "T003"}},
         {"T003"}},
        // Only titles of four bytes or more: the last place one fits is scanned too.
        {"a title that ends the text",
         {{1, "WXYZ"}},
         {},
         "",
         "aWXYZ",
         {{T1, "WXYZ", "T001"}},
         {"T001"}},
        {"no title with a line break", {{1, "AB\rCD"}, {2, "\rX"}}, {}, "", "AB\rCD\rX", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto entries = NumberedEntries();
        entries[0].text2 = c.text2;
        entries[0].text1 = c.text1;
        for (const auto& [entry, title] : c.titles) {
            entries[entry].title = title;
        }
        for (const auto& [entry, reading] : c.readings) {
            entries[entry].reading = reading;
        }
        TempDir dir;
        const GlossaryStore store = LoadedStore(WriteGlossary(dir, entries));
        int row = 0;
        while (row < kEntryCount && store.Text1At(row) != c.text1) {
            ++row;
        }
        const std::vector<CrossReference> links = FindCrossReferences(store, row);
        const std::string pane = ComposeEntryText(store, row, EntryTextForm::DetailPane);
        const std::vector<ByteRange> inPane = DetailPaneRanges(store, row, links);
        std::vector<Link> found;
        for (std::size_t i = 0; i < links.size(); ++i) {
            const std::string& field = links[i].field == T1 ? c.text1 : c.text2;
            const ByteRange range = links[i].range;
            found.emplace_back(links[i].field, field.substr(range.begin, range.end - range.begin),
                               store.Text1At(store.RowOfPosition(links[i].target)));
            EXPECT_EQ(pane.substr(inPane[i].begin, inPane[i].end - inPane[i].begin),
                      std::get<1>(found.back()));
        }
        EXPECT_EQ(found, c.links);
        std::vector<std::string> targets;
        for (const int target : LinkTargets(links)) {
            targets.push_back(store.Text1At(store.RowOfPosition(target)));
        }
        EXPECT_EQ(targets, c.targets);
        EXPECT_TRUE(FindCrossReferences(store, kEntryCount).empty());
    }
}
