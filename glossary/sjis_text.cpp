#include "glossary/sjis_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/memory_search.h"

int SjisCharLength(const char* text, int length, int position) {
    if (position + 1 < length &&
        platform::IsSjisLeadByte(static_cast<unsigned char>(text[position])) &&
        platform::IsSjisTrailByte(static_cast<unsigned char>(text[position + 1]))) {
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
    if (platform::IsSjisLeadByte(lead)) {
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

std::size_t FindBytes(const char* text, std::size_t size, const char* needle, std::size_t n) {
    if (n > size) {
        return kNotFound;
    }
    // The system's search prepares a table for every call, which only pays on longer texts.
    if (size >= 256) {
        const std::size_t at = platform::SearchMemory(text, size, needle, n);
        return at == size ? kNotFound : at;
    }
    const char* const last = text + (size - n);  // the last place a match can start
    for (const char* at = text; at <= last; ++at) {
        at = static_cast<const char*>(
            std::memchr(at, needle[0], static_cast<std::size_t>(last - at) + 1));
        if (at == nullptr) {
            return kNotFound;
        }
        if (n == 1 || std::memcmp(at + 1, needle + 1, n - 1) == 0) {
            return static_cast<std::size_t>(at - text);
        }
    }
    return kNotFound;
}

// A byte search finds the candidates; the character walk, which only confirms that a candidate
// starts on a boundary, resumes where it stopped, so the text is walked at most once.
int SjisFind(const std::string& haystack, const std::string& needle) {
    const std::size_t size = haystack.size();
    const std::size_t n = needle.size();
    if (n == 0) {
        return 0;
    }
    const char* const text = haystack.data();
    std::size_t boundary = 0;
    std::size_t from = 0;
    while (from + n <= size) {
        const std::size_t at = FindBytes(text + from, size - from, needle.data(), n);
        if (at == kNotFound) {
            return -1;
        }
        const std::size_t hit = from + at;
        while (boundary < hit) {
            boundary += SjisFindStep(text, boundary, size);
        }
        if (boundary == hit) {
            return static_cast<int>(hit);
        }
        from = hit + 1;
    }
    return -1;
}

namespace {

// A byte that cannot end a two-byte character (LF, NUL, ASCII below '@') always starts one: the
// character walk never steps over it.
bool AlwaysStartsACharacter(char byte) {
    return !platform::IsSjisTrailByte(static_cast<unsigned char>(byte));
}

// ReplaceAll for a one-byte pattern that always starts a character: every occurrence is a
// match, and the replacement brings no new one, so one pass from left to right replaces them
// all in the order the restarting scan would. `first` is the first occurrence.
void ReplaceEveryByte(char* buffer, int& length, char pattern, const char* replacement,
                      int replacementLength, int first) {
    char out[kReplaceScratchSize];
    int written = 0;
    int read = 0;
    int total = length;
    for (int at = first; at >= 0;) {
        const int newTotal = total - 1 + replacementLength;
        // The text plus its terminator must stay inside the scratch space.
        if (newTotal >= kReplaceScratchSize) {
            break;
        }
        std::memcpy(out + written, buffer + read, static_cast<std::size_t>(at - read));
        written += at - read;
        std::memcpy(out + written, replacement, static_cast<std::size_t>(replacementLength));
        written += replacementLength;
        read = at + 1;
        total = newTotal;
        if (read < length && buffer[read] == pattern) {
            at = read;  // a run, such as the NUL padding at the end of a chunk
            continue;
        }
        const void* next =
            std::memchr(buffer + read, pattern, static_cast<std::size_t>(length - read));
        at = next == nullptr ? -1 : static_cast<int>(static_cast<const char*>(next) - buffer);
    }
    std::memcpy(out + written, buffer + read, static_cast<std::size_t>(length - read));
    std::memcpy(buffer, out, static_cast<std::size_t>(total));
    buffer[total] = '\0';
    length = total;
}

// ReplaceAll for a longer pattern whose first byte always starts a character: every occurrence
// is a match, so a byte search finds them. After a replacement at p the text before p is as it
// was, so the next match starts no earlier than p - patternLength + 1.
void ReplaceEveryOccurrence(char* buffer, int& length, const char* pattern, int patternLength,
                            const char* replacement, int replacementLength, int first) {
    for (int at = first; at >= 0;) {
        const int newLength = length - patternLength + replacementLength;
        if (newLength >= kReplaceScratchSize) {
            break;
        }
        std::memmove(buffer + at + replacementLength, buffer + at + patternLength,
                     static_cast<std::size_t>(length - at - patternLength));
        std::memcpy(buffer + at, replacement, static_cast<std::size_t>(replacementLength));
        length = newLength;
        buffer[length] = '\0';
        if (length == 0) {
            break;
        }
        const int from = std::max(0, at - patternLength + 1);
        const std::size_t next = FindBytes(buffer + from, static_cast<std::size_t>(length - from),
                                           pattern, static_cast<std::size_t>(patternLength));
        at = next == kNotFound ? -1 : from + static_cast<int>(next);
    }
}

// ReplaceAll for a pattern that may begin on a trail byte, where only matches on a character
// boundary count. Restarting the scan at the beginning after every replacement finds the same
// matches as resuming it a little before the replacement: the text ahead of a match is left as
// it was, and so are its character boundaries and the failed tests at them, except at the
// boundaries close enough for a pattern starting there to reach into the changed bytes (and the
// last boundary before the match, whose character may now take the first changed byte as its
// trail byte). So the scan keeps the boundaries it has passed and, after a replacement, takes
// up again at the first of them that a match could start at. The text is rebuilt in scratch
// space as the scan goes, so a replacement costs its own few bytes, not the whole text.
void ReplaceAtBoundaries(char* buffer, int& length, const char* pattern, int patternLength,
                         const char* replacement, int replacementLength) {
    // The current text is out[0, written) followed by buffer[read, length).
    char out[kReplaceScratchSize];
    std::uint16_t passed[kReplaceScratchSize];  // the boundaries scanned, in ascending order
    int passedCount = 0;
    int written = 0;
    int read = 0;
    int total = length;  // length of the current text
    bool replaced = false;
    // Moves the text's bytes below `end` into the scratch space.
    const auto take = [&](int end) {
        const int count = std::min(end, total) - written;
        if (count > 0) {
            std::memcpy(out + written, buffer + read, static_cast<std::size_t>(count));
            written += count;
            read += count;
        }
    };
    int position = 0;  // always a character boundary of the current text, never past `written`
    while (position + patternLength <= total) {
        if (position == written) {
            // Nothing from here on has been taken: a byte search finds the next candidate, and
            // the walk only records the boundaries on the way to it.
            const std::size_t next =
                FindBytes(buffer + read, static_cast<std::size_t>(length - read), pattern,
                          static_cast<std::size_t>(patternLength));
            if (next == kNotFound) {
                break;
            }
            const int candidate = position + static_cast<int>(next);
            take(candidate + 1);
            while (position < candidate) {
                passed[passedCount++] = static_cast<std::uint16_t>(position);
                position += SjisCharLength(out, total, position);
            }
            if (position > candidate) {
                continue;  // the candidate starts on a trail byte
            }
        }
        passed[passedCount++] = static_cast<std::uint16_t>(position);
        take(position + patternLength);
        if (out[position] == pattern[0] &&
            std::memcmp(out + position, pattern, static_cast<std::size_t>(patternLength)) == 0) {
            const int newTotal = total - patternLength + replacementLength;
            if (newTotal >= kReplaceScratchSize) {
                break;
            }
            // Bytes already taken beyond the match move to make room for the replacement.
            const int after = written - position - patternLength;
            std::memmove(out + position + replacementLength, out + position + patternLength,
                         static_cast<std::size_t>(after));
            std::memcpy(out + position, replacement, static_cast<std::size_t>(replacementLength));
            written = position + replacementLength + after;
            total = newTotal;
            replaced = true;
            if (total == 0) {
                break;
            }
            // Take up again at the first boundary from which a match could reach the change.
            const int from = position - patternLength + 1;
            while (passedCount > 0 && passed[passedCount - 1] >= from) {
                position = passed[--passedCount];
            }
            continue;
        }
        take(position + 2);
        position += SjisCharLength(out, total, position);
    }
    if (replaced) {
        std::memmove(buffer + written, buffer + read, static_cast<std::size_t>(length - read));
        std::memcpy(buffer, out, static_cast<std::size_t>(written));
        buffer[total] = '\0';
        length = total;
    }
}

}  // namespace

int ReplaceAll(char* buffer, int& length, const char* pattern, int patternLength,
               const char* replacement, int replacementLength) {
    if (patternLength < 1 || replacementLength < 0 || length < 0 ||
        length + patternLength + replacementLength > kReplaceScratchSize) {
        return length;
    }
    // Most texts hold no occurrence at all, matching or not.
    const std::size_t first = FindBytes(buffer, static_cast<std::size_t>(length), pattern,
                                        static_cast<std::size_t>(patternLength));
    if (first == kNotFound) {
        return length;
    }
    if (!AlwaysStartsACharacter(pattern[0])) {
        ReplaceAtBoundaries(buffer, length, pattern, patternLength, replacement, replacementLength);
    } else if (patternLength == 1) {
        ReplaceEveryByte(buffer, length, pattern[0], replacement, replacementLength,
                         static_cast<int>(first));
    } else {
        ReplaceEveryOccurrence(buffer, length, pattern, patternLength, replacement,
                               replacementLength, static_cast<int>(first));
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
