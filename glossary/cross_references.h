#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "glossary/glossary_store.h"
#include "glossary/search_highlight.h"

/// The two texts of an entry that links are found in, in the order the detail pane shows them.
enum class LinkField { Text2, Text1 };

/// One link of an entry: the bytes [range.begin, range.end) of its `field` name the entry at
/// sorted position `target` (see GlossaryStore::PositionOfRow).
struct CrossReference {
    LinkField field;
    ByteRange range;
    int target;
};

/// The links of the entry shown in `row` of `store`, in text order (text2's, then text1's), by
/// these rules. Candidates are the titles of the other entries that are at least two characters
/// long (a lead byte and the byte after it are one character) and hold no line break (CR or LF),
/// except any title equal to the shown entry's own. Each field is scanned on its own from its
/// first byte: at each character boundary the longest candidate that starts there, byte for byte,
/// becomes a link and the scan goes on after it; elsewhere the scan moves on one character. A
/// link leads to the first entry in sorted order with that title. A link whose title ends on a
/// lone lead byte covers the whole character it ends in, as FindOccurrences does. No links for a
/// row outside the view.
std::vector<CrossReference> FindCrossReferences(const GlossaryStore& store, int row);

/// The targets of `links` in their order, each once: the first link to an entry places it.
std::vector<int> LinkTargets(const std::vector<CrossReference>& links);

/// The ranges of `links`, found for the entry in `row`, as byte ranges of that entry's
/// ComposeEntryText(store, row, EntryTextForm::DetailPane), in the same order: what
/// platform::wx::ToControlRanges maps to the detail pane.
std::vector<ByteRange> DetailPaneRanges(const GlossaryStore& store, int row,
                                        const std::vector<CrossReference>& links);

/// The candidate titles of one loaded store, indexed by their first two bytes, which is what
/// FindCrossReferences tries at every character boundary. Built by GlossaryStore::CrossReferences.
class CrossReferenceIndex {
  public:
    /// Indexes the titles (by entry) of a store whose kana order is `sortOrder` (entry by
    /// sorted position).
    CrossReferenceIndex(const std::array<std::string, kEntryCount>& titles,
                        const std::array<int, kEntryCount>& sortOrder);

    /// A distinct candidate title: bytes [begin, begin + length) of the index's title bytes.
    struct Candidate {
        std::uint32_t begin;
        std::uint32_t length;
        int target;  // the sorted position of the first entry with this title
    };

    /// The candidate equal to the title of the entry at sorted position `position`
    /// (0..kEntryCount-1), or null when that title is none.
    const Candidate* TitleOf(int position) const { return ownTitles[position]; }

    // ownTitles points into candidates.
    CrossReferenceIndex(const CrossReferenceIndex&) = delete;
    CrossReferenceIndex& operator=(const CrossReferenceIndex&) = delete;

    /// Appends the links of `text`, which is `field` of an entry, to `links` by the rules of
    /// FindCrossReferences, leaving out the candidate `excluded` (which may be null).
    void Scan(const std::string& text, LinkField field, const Candidate* excluded,
              std::vector<CrossReference>& links) const;

  private:
    // The titles that share their first four bytes (two for titles shorter than that):
    // candidates[first, first + count), longest first.
    struct Group {
        std::uint32_t key;
        std::uint32_t first;
        std::uint32_t count;
    };
    const Group* LongGroup(std::uint32_t four) const;
    const Group* ShortGroup(unsigned key) const;
    const Candidate* LongestIn(const Group* group, std::size_t known, const char* text,
                               std::size_t available, const Candidate* excluded) const;
    const Candidate* LongestAt(const char* text, std::size_t at, std::size_t end,
                               const Candidate* excluded) const;
    // What MayStartNear finds: a title may start at the place, or one byte before it.
    static constexpr unsigned kHere = 1;
    static constexpr unsigned kJustBefore = 2;
    template <bool withShortTitles>
    unsigned MayStartNear(const unsigned char* bytes) const;
    template <bool withShortTitles>
    void ScanBytes(const std::string& text, LinkField field, const Candidate* excluded,
                   std::vector<CrossReference>& links) const;

    static unsigned KeyAt(const unsigned char* bytes) { return bytes[0] << 8 | bytes[1]; }
    static std::uint32_t FourAt(const unsigned char* bytes) {
        std::uint32_t four;
        std::memcpy(&four, bytes, 4);
        return four;
    }
    // The first three bytes of a text spread over the entries of a table; reads four.
    static constexpr int kLongHashBits = 15;
    static std::uint32_t LongHash(const unsigned char* bytes) {
        return ((FourAt(bytes) & 0xFFFFFFu) * 0x9E3779B1u) >> (32 - kLongHashBits);
    }
    std::size_t GroupSlot(std::uint32_t four) const {
        return (four * 0x9E3779B1u) >> (32 - longGroupBits);
    }

    std::string titleBytes;
    std::vector<Candidate> candidates;  // by group
    std::vector<Group> longGroups;      // open addressing: a free slot has count 0
    int longGroupBits = 0;              // longGroups holds 2^longGroupBits slots
    std::vector<Group> shortGroups;     // by key
    std::array<const Candidate*, kEntryCount> ownTitles{};  // by sorted position
    // Whether a candidate may start at or just before a byte. By hash of three bytes, kHere for
    // the first three bytes and kJustBefore for the three after them, of the titles of four bytes
    // or more (one byte each, which is quicker to read than a bit); one bit per first two bytes of
    // the others. Both tables fit the first-level cache and turn nearly every place away.
    std::array<std::uint8_t, std::size_t{1} << kLongHashBits> longStarts{};
    std::array<std::uint64_t, 65536 / 64> shortStartBits{};
};
