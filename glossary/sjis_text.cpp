#include "glossary/sjis_text.h"

#include <cstring>

bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsSjisTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

int SjisCharLength(const char* text, int length, int position) {
    if (position + 1 < length && IsSjisLeadByte(static_cast<unsigned char>(text[position])) &&
        IsSjisTrailByte(static_cast<unsigned char>(text[position + 1]))) {
        return 2;
    }
    return 1;
}

namespace {

// Reads the character at `pos` of a NUL-terminated text as a multibyte value and advances `pos`;
// 0 marks the end, including a lead byte cut off by the terminator.
unsigned NextCompareValue(const unsigned char* text, std::size_t& pos) {
    unsigned lead = text[pos];
    if (lead == 0) {
        return 0;
    }
    if (IsSjisLeadByte(lead)) {
        unsigned trail = text[pos + 1];
        if (trail == 0) {
            return 0;
        }
        pos += 2;
        return lead * 256 + trail;
    }
    pos += 1;
    return lead;
}

}  // namespace

int SjisCompare(const std::string& a, const std::string& b) {
    auto* pa = reinterpret_cast<const unsigned char*>(a.c_str());
    auto* pb = reinterpret_cast<const unsigned char*>(b.c_str());
    std::size_t ia = 0;
    std::size_t ib = 0;
    for (;;) {
        unsigned va = NextCompareValue(pa, ia);
        unsigned vb = NextCompareValue(pb, ib);
        if (va != vb) {
            return va < vb ? -1 : 1;
        }
        if (va == 0) {
            return 0;
        }
    }
}

int SjisFind(const std::string& haystack, const std::string& needle) {
    const std::size_t size = haystack.size();
    const std::size_t n = needle.size();
    std::size_t pos = 0;
    while (pos + n <= size) {
        if (haystack.compare(pos, n, needle) == 0) {
            return static_cast<int>(pos);
        }
        // Step over a whole character so that a match never starts on a trail byte.
        pos += IsSjisLeadByte(static_cast<unsigned char>(haystack[pos])) && pos + 1 < size ? 2 : 1;
    }
    return -1;
}

namespace {

// First match of the pattern at a character boundary, or -1.
int FindAtBoundary(const char* buffer, int length, const char* pattern, int patternLength) {
    for (int p = 0; p + patternLength <= length; p += SjisCharLength(buffer, length, p)) {
        if (std::memcmp(buffer + p, pattern, static_cast<std::size_t>(patternLength)) == 0) {
            return p;
        }
    }
    return -1;
}

}  // namespace

int ReplaceAll(char* buffer, int& length, const char* pattern, int patternLength,
               const char* replacement, int replacementLength) {
    if (patternLength < 1 || replacementLength < 0 || length < 0 ||
        length + patternLength + replacementLength > kReplaceScratchSize) {
        return length;
    }
    char scratch[kReplaceScratchSize];
    for (;;) {
        const int p = FindAtBoundary(buffer, length, pattern, patternLength);
        if (p < 0) {
            break;
        }
        const int newLength = length - patternLength + replacementLength;
        // The text plus its terminator must stay inside the scratch space.
        if (newLength >= kReplaceScratchSize) {
            break;
        }
        const int tail = length - p - patternLength;
        std::memcpy(scratch, buffer, static_cast<std::size_t>(p));
        std::memcpy(scratch + p, replacement, static_cast<std::size_t>(replacementLength));
        std::memcpy(scratch + p + replacementLength, buffer + p + patternLength,
                    static_cast<std::size_t>(tail));
        std::memcpy(buffer, scratch, static_cast<std::size_t>(newLength));
        buffer[newLength] = '\0';
        length = newLength;
        if (length == 0) {
            break;
        }
    }
    return length;
}

std::string KatakanaToHiragana(const std::string& source) {
    const std::string text(source.c_str());  // the text ends at its first NUL
    std::string result = text;
    const int length = static_cast<int>(text.size());
    for (int i = 0; i < length;) {
        const int charLength = SjisCharLength(text.data(), length, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = charLength == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (charLength == 2 && lead == 0x83 && trail >= 0x40 && trail <= 0x93) {
            // ァ..ミ (0x40-0x7E) and ム..ン (0x80-0x93) map onto ぁ..ん; katakana skip 0x7F.
            result[i] = static_cast<char>(0x82);
            result[i + 1] = static_cast<char>(trail < 0x80 ? trail + 0x5F : trail + 0x5E);
        }
        i += charLength;
    }
    return result;
}
