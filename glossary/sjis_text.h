#pragma once

#include <cstddef>
#include <string>

#include "platform/sjis_bytes.h"

/// Size of the scratch space `ReplaceAll` works in, and so of every buffer handed to it.
constexpr int kReplaceScratchSize = 4096;

/// Length in bytes (1 or 2) of the character at `text[position]`, where `length` bytes are valid:
/// a lead byte followed by a trail byte is one two-byte character; every other byte (NUL, LF, a
/// lone lead byte) is a character of its own.
int SjisCharLength(const char* text, int length, int position);

/// Orders two texts character by character, as multibyte strings: a two-byte character's value
/// is lead*256+trail, so single-byte characters order before every two-byte one. Each text ends
/// at its first NUL or at a lead byte directly followed by the end. Returns <0, 0 or >0.
int SjisCompare(const std::string& a, const std::string& b);

/// What FindBytes returns when the bytes occur nowhere.
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

/// Byte position of the first occurrence of needle[0, n) in text[0, size) at any byte, or
/// kNotFound; n is at least 1. Character boundaries are left to the caller.
std::size_t FindBytes(const char* text, std::size_t size, const char* needle, std::size_t n);

/// How far SjisFind steps from the character boundary `position` of a text ending at `end`: 2 over
/// a lead byte with a byte after it, 1 over anything else.
inline std::size_t SjisFindStep(const char* text, std::size_t position, std::size_t end) {
    return platform::IsSjisLeadByte(static_cast<unsigned char>(text[position])) &&
                   position + 1 < end
               ? 2
               : 1;
}

/// Byte position of the first occurrence of `needle` in `haystack` that starts on a character
/// boundary (never on the trail byte of a two-byte character), or -1. No case or width folding.
/// An empty needle is found at 0.
int SjisFind(const std::string& haystack, const std::string& needle);

/// Replaces `pattern` by `replacement` in the first `length` bytes of `buffer` (which has room
/// for kReplaceScratchSize bytes), restarting from the beginning after every replacement until no
/// match is left or the text is empty. Matches start only on character boundaries
/// (`SjisCharLength`); a NUL pattern matches NUL bytes inside the text. Writes a NUL after the
/// result, stores its length in `length` and returns it. The replacement must not contain the
/// pattern, and the pattern must not be empty; a text that would outgrow the scratch space is
/// left as it stands at that point.
int ReplaceAll(char* buffer, int& length, const char* pattern, int patternLength,
               const char* replacement, int replacementLength);

/// Converts the katakana ァ..ン (0x8340-0x8393) of `source` to the hiragana ぁ..ん, one for one,
/// leaving every other character (ヴ ヵ ヶ, kanji whose trail byte is 0x83, ASCII) unchanged.
/// The result has the same length; conversion stops at the first NUL.
std::string KatakanaToHiragana(const std::string& source);
