#include "glossary/search_highlight.h"

#include <cstring>

#include "glossary/sjis_text.h"

namespace {

// Start positions, in the searched text, of every non-overlapping match of `needle` that starts
// on a character boundary; after a match the next one may start at the first boundary past it.
std::vector<std::size_t> MatchStarts(const std::string& haystack, const std::string& needle) {
    std::vector<std::size_t> starts;
    const std::size_t size = haystack.size();
    const std::size_t n = needle.size();
    std::size_t at = 0;
    while (at + n <= size) {
        if (std::memcmp(haystack.data() + at, needle.data(), n) == 0) {
            starts.push_back(at);
            const std::size_t next = at + n;
            while (at < next) {
                at += SjisFindStep(haystack.data(), at, size);
            }
        } else {
            at += SjisFindStep(haystack.data(), at, size);
        }
    }
    return starts;
}

}  // namespace

std::vector<ByteRange> FindOccurrences(const std::string& text, const std::string& needle,
                                       SearchMatch match) {
    std::vector<ByteRange> ranges;
    if (needle.empty()) {
        return ranges;
    }
    if (match == SearchMatch::Exact) {
        for (const std::size_t start : MatchStarts(text, needle)) {
            // A needle ending in a lone lead byte takes half a character: cover all of it.
            std::size_t end = start;
            while (end < start + needle.size()) {
                end += SjisFindStep(text.data(), end, text.size());
            }
            ranges.push_back({start, end});
        }
        return ranges;
    }
    std::vector<std::size_t> sourceStarts;
    const std::string folded = FoldForSearch(text, sourceStarts);
    const std::string foldedNeedle = FoldForSearch(needle);
    for (const std::size_t start : MatchStarts(folded, foldedNeedle)) {
        // The match's last byte came from the character starting at `lastSource`; that character
        // ends where the next byte's character starts.
        std::size_t after = start + foldedNeedle.size();
        const std::size_t lastSource = sourceStarts[after - 1];
        while (sourceStarts[after] == lastSource) {
            ++after;
        }
        ranges.push_back({sourceStarts[start], sourceStarts[after]});
    }
    return ranges;
}
