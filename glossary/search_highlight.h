#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "glossary/kana_fold.h"

/// A byte range [begin, end) of a Shift-JIS text.
struct ByteRange {
    std::size_t begin;
    std::size_t end;
};

/// Every non-overlapping occurrence of `needle` in `text` (both Shift-JIS), found by the same rule
/// as Search (a match starts at a character boundary), after folding both when `match` is
/// Folded; each range covers the original characters of `text`. Empty needle: no ranges.
std::vector<ByteRange> FindOccurrences(const std::string& text, const std::string& needle,
                                       SearchMatch match);
