#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// Folds Shift-JIS text for a forgiving comparison: hiragana->katakana-or-the-reverse (one way,
/// consistently), half-width katakana/punctuation -> full-width (joining a following ﾞ/ﾟ where
/// CP932 has the joined kana), full-width Latin letters/digits -> ASCII, ASCII upper -> lower.
/// Returns the folded text; malformed bytes are kept as they are.
std::string FoldForSearch(const std::string& sjisText);

/// How a search compares: byte for byte, or after FoldForSearch on both sides.
enum class SearchMatch { Exact, Folded };

/// Writes FoldForSearch of text[0, size) to `out` and returns the end of what it wrote: for a
/// caller that folds many texts into one buffer. Only a half-width byte (0xA1-0xDF) grows, to
/// two bytes, so `out` needs room for size bytes plus one for each of those (2 * size at most).
char* FoldForSearchInto(const char* text, std::size_t size, char* out);

/// FoldForSearch that also says where each byte of the result comes from: `sourceStarts` gets
/// one entry per byte of the result, the position in `sjisText` where the character it was folded
/// from starts, and then sjisText.size(). Characters are those of the search (a lead byte takes
/// the byte after it), so the next different entry is where that character ends.
std::string FoldForSearch(const std::string& sjisText, std::vector<std::size_t>& sourceStarts);
