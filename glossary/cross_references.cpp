#include "glossary/cross_references.h"

#include <algorithm>
#include <cstring>

#include "glossary/entry_text.h"
#include "glossary/sjis_text.h"

namespace {

bool IsCandidateTitle(const std::string& title) {
    if (title.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    int characters = 0;
    for (std::size_t at = 0; at < title.size() && characters < 2; ++characters) {
        at += SjisFindStep(title.data(), at, title.size());
    }
    return characters >= 2;
}

// Whether `at` is a character boundary, given the boundary `from` at or before it. A byte that
// cannot lead ends a character wherever it stands, so only the run of lead-range bytes just
// before `at` decides: they pair up from its start.
bool IsBoundary(const unsigned char* bytes, std::size_t from, std::size_t at) {
    std::size_t runStart = at;
    while (runStart > from && platform::IsSjisLeadByte(bytes[runStart - 1])) {
        --runStart;
    }
    return (at - runStart) % 2 == 0;
}

}  // namespace

CrossReferenceIndex::CrossReferenceIndex(const std::array<std::string, kEntryCount>& titles,
                                         const std::array<int, kEntryCount>& sortOrder) {
    // Grouped by first four bytes (first two for shorter titles), each group longest first, so
    // that the first title of a group that matches is the longest; equal titles side by side,
    // the first in kana order first, as it is the one they lead to.
    struct Sorted {
        bool isShort;
        std::uint32_t key;
        const std::string* title;
        int target;
    };
    std::vector<Sorted> sorted;
    sorted.reserve(kEntryCount);
    for (int position = 0; position < kEntryCount; ++position) {
        const std::string& title = titles[sortOrder[position]];
        if (IsCandidateTitle(title)) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
            const bool isShort = title.size() < 4;
            sorted.push_back({isShort, isShort ? KeyAt(bytes) : FourAt(bytes), &title, position});
        }
    }
    std::sort(sorted.begin(), sorted.end(), [](const Sorted& a, const Sorted& b) {
        if (a.isShort != b.isShort || a.key != b.key) {
            return std::make_pair(a.isShort, a.key) < std::make_pair(b.isShort, b.key);
        }
        if (a.title->size() != b.title->size()) {
            return a.title->size() > b.title->size();
        }
        const int order = a.title->compare(*b.title);
        return order != 0 ? order < 0 : a.target < b.target;
    });
    std::array<int, kEntryCount> candidateOfPosition;
    candidateOfPosition.fill(-1);
    std::vector<Group> groups;
    for (const Sorted& title : sorted) {
        if (!candidates.empty() && candidates.back().length == title.title->size() &&
            titleBytes.compare(candidates.back().begin, candidates.back().length, *title.title) ==
                0) {
            candidateOfPosition[title.target] = static_cast<int>(candidates.size()) - 1;
            continue;  // a later entry with the same title
        }
        candidateOfPosition[title.target] = static_cast<int>(candidates.size());
        if (groups.empty() || title.key != groups.back().key ||
            title.isShort != (candidates[groups.back().first].length < 4)) {
            groups.push_back({title.key, static_cast<std::uint32_t>(candidates.size()), 0});
        }
        ++groups.back().count;
        candidates.push_back({static_cast<std::uint32_t>(titleBytes.size()),
                              static_cast<std::uint32_t>(title.title->size()), title.target});
        titleBytes += *title.title;
        const auto* bytes = reinterpret_cast<const unsigned char*>(title.title->data());
        if (title.isShort) {
            shortStartBits[title.key / 64] |= std::uint64_t{1} << (title.key % 64);
        } else {
            for (int offset = 0; offset < 2; ++offset) {
                longStarts[LongHash(bytes + offset)] |= offset == 0 ? kHere : kJustBefore;
            }
        }
    }
    // Long groups go into an open-addressed table at most half full; the few short ones stay
    // sorted for a binary search.
    longGroupBits = 4;
    while ((std::size_t{1} << longGroupBits) < 2 * groups.size()) {
        ++longGroupBits;
    }
    longGroups.assign(std::size_t{1} << longGroupBits, Group{0, 0, 0});
    for (const Group& group : groups) {
        if (candidates[group.first].length < 4) {
            shortGroups.push_back(group);
            continue;
        }
        std::size_t slot = GroupSlot(group.key);
        while (longGroups[slot].count != 0) {
            slot = (slot + 1) & (longGroups.size() - 1);
        }
        longGroups[slot] = group;
    }
    for (int position = 0; position < kEntryCount; ++position) {
        const int c = candidateOfPosition[position];
        ownTitles[position] = c < 0 ? nullptr : &candidates[c];
    }
}

const CrossReferenceIndex::Group* CrossReferenceIndex::LongGroup(std::uint32_t four) const {
    for (std::size_t slot = GroupSlot(four); longGroups[slot].count != 0;
         slot = (slot + 1) & (longGroups.size() - 1)) {
        if (longGroups[slot].key == four) {
            return &longGroups[slot];
        }
    }
    return nullptr;
}

const CrossReferenceIndex::Group* CrossReferenceIndex::ShortGroup(unsigned key) const {
    const auto found =
        std::lower_bound(shortGroups.begin(), shortGroups.end(), key,
                         [](const Group& group, unsigned k) { return group.key < k; });
    return found != shortGroups.end() && found->key == key ? &*found : nullptr;
}

// The group's first `known` bytes are those of the text already.
const CrossReferenceIndex::Candidate* CrossReferenceIndex::LongestIn(
    const Group* group, std::size_t known, const char* text, std::size_t available,
    const Candidate* excluded) const {
    for (std::uint32_t i = 0; group != nullptr && i < group->count; ++i) {
        const Candidate& candidate = candidates[group->first + i];
        if (candidate.length <= available && &candidate != excluded &&
            std::memcmp(text + known, titleBytes.data() + candidate.begin + known,
                        candidate.length - known) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

const CrossReferenceIndex::Candidate* CrossReferenceIndex::LongestAt(
    const char* text, std::size_t at, std::size_t end, const Candidate* excluded) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text + at);
    const std::size_t available = end - at;
    if (available >= 4) {
        if (const Candidate* found =
                LongestIn(LongGroup(FourAt(bytes)), 4, text + at, available, excluded)) {
            return found;
        }
    }
    if (!shortGroups.empty()) {
        return LongestIn(ShortGroup(KeyAt(bytes)), 2, text + at, available, excluded);
    }
    return nullptr;
}

template <bool withShortTitles>
unsigned CrossReferenceIndex::MayStartNear(const unsigned char* bytes) const {
    unsigned may = longStarts[LongHash(bytes)];
    if (withShortTitles) {
        // Every place is tried, so a title starting just before this one was tried there.
        const unsigned key = KeyAt(bytes);
        may = (may & kHere) | ((shortStartBits[key / 64] >> (key % 64)) & 1);
    }
    return may;
}

// A filter runs at every other byte with no branch, a block at a time (at every byte when some
// title is shorter than four bytes), keeping only the places it lets through; those few are
// looked up again, checked for a character boundary and compared with the titles. As every title of
// four bytes or more has its first three bytes or the three after them at an even place, a title
// starting at `at` shows at `at` or at `at` + 1.
template <bool withShortTitles>
void CrossReferenceIndex::ScanBytes(const std::string& text, LinkField field,
                                    const Candidate* excluded,
                                    std::vector<CrossReference>& links) const {
    const char* const data = text.data();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data);
    const std::size_t end = text.size();
    std::size_t next = 0;  // where the last link ended: a boundary, and the first place for one
    auto tryAt = [&](std::size_t at) {
        if (at < next || !IsBoundary(bytes, next, at)) {
            return;
        }
        if (const Candidate* candidate = LongestAt(data, at, end, excluded)) {
            std::size_t after = at;
            while (after < at + candidate->length) {
                after += SjisFindStep(data, after, end);
            }
            links.push_back({field, {at, after}, candidate->target});
            next = after;
        }
    };
    constexpr std::size_t kStride = withShortTitles ? 1 : 2;
    constexpr std::size_t kBlock = 256;
    std::size_t passed[kBlock];
    std::size_t at = 0;  // the filter reads four bytes from here
    while (at + 4 <= end) {
        std::size_t count = 0;
        const std::size_t stop = std::min(end - 3, at + kBlock * kStride);  // the block's end
        for (; at < stop; at += kStride) {
            passed[count] = at;
            count += MayStartNear<withShortTitles>(bytes + at) != 0;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned where = MayStartNear<withShortTitles>(bytes + passed[i]);
            if ((where & kJustBefore) != 0 && passed[i] > 0) {
                tryAt(passed[i] - 1);
            }
            if ((where & kHere) != 0) {
                tryAt(passed[i]);
            }
        }
    }
    // Near the end, where the filter cannot read, every place that the shortest title still
    // fits after is compared with the titles.
    constexpr std::size_t kShortest = withShortTitles ? 2 : 4;
    for (at = at >= kStride ? at - kStride + 1 : 0; at + kShortest <= end; ++at) {
        tryAt(at);
    }
}

void CrossReferenceIndex::Scan(const std::string& text, LinkField field, const Candidate* excluded,
                               std::vector<CrossReference>& links) const {
    if (!shortGroups.empty()) {
        ScanBytes<true>(text, field, excluded, links);
    } else {
        ScanBytes<false>(text, field, excluded, links);
    }
}

std::vector<CrossReference> FindCrossReferences(const GlossaryStore& store, int row) {
    std::vector<CrossReference> links;
    if (row < 0 || row >= store.VisibleCount()) {
        return links;
    }
    links.reserve(16);
    const CrossReferenceIndex& index = store.CrossReferences();
    const CrossReferenceIndex::Candidate* own = index.TitleOf(store.PositionOfRow(row));
    index.Scan(store.Text2At(row), LinkField::Text2, own, links);
    index.Scan(store.Text1At(row), LinkField::Text1, own, links);
    return links;
}

std::vector<int> LinkTargets(const std::vector<CrossReference>& links) {
    std::vector<int> targets;
    for (const CrossReference& link : links) {
        if (std::find(targets.begin(), targets.end(), link.target) == targets.end()) {
            targets.push_back(link.target);
        }
    }
    return targets;
}

std::vector<ByteRange> DetailPaneRanges(const GlossaryStore& store, int row,
                                        const std::vector<CrossReference>& links) {
    const EntryTextOffsets offsets = ComposedTextOffsets(store, row, EntryTextForm::DetailPane);
    std::vector<ByteRange> ranges;
    ranges.reserve(links.size());
    for (const CrossReference& link : links) {
        const std::size_t offset = link.field == LinkField::Text2 ? offsets.text2 : offsets.text1;
        ranges.push_back({offset + link.range.begin, offset + link.range.end});
    }
    return ranges;
}
