// Small, deliberately naive restatements of the engine's text rules, written for clarity rather
// than speed, that the fuzz targets hold the engine against. Each works on std::string and
// builds its answer from first principles (explicit character lists, brute-force scans), so
// that it cannot share a mistake with the optimised code.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace reference {

inline bool InRange(unsigned char byte, int low, int high) {
    return byte >= low && byte <= high;
}

inline bool IsLead(unsigned char byte) {
    return InRange(byte, 0x81, 0x9F) || InRange(byte, 0xE0, 0xFC);
}

inline bool IsTrail(unsigned char byte) {
    return InRange(byte, 0x40, 0x7E) || InRange(byte, 0x80, 0xFC);
}

/// Length (1 or 2) of the character at `i` under the cleanup rule: a lead byte followed by a
/// valid trail byte is one character, every other byte is one of its own.
inline std::size_t CleanupCharLength(const std::string& text, std::size_t i) {
    return i + 1 < text.size() && IsLead(text[i]) && IsTrail(text[i + 1]) ? 2 : 1;
}

/// Start positions of the characters of `text` under the cleanup rule: a lead byte followed by
/// a valid trail byte is one character, every other byte is one of its own.
inline std::vector<std::size_t> CleanupBoundaries(const std::string& text) {
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        i += CleanupCharLength(text, i);
    }
    return starts;
}

/// Start positions of the characters of `text` under the search rule: a lead byte takes the
/// byte after it, whatever it is, when there is one.
inline std::vector<std::size_t> SearchBoundaries(const std::string& text) {
    std::vector<std::size_t> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        starts.push_back(i);
        i += IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
    }
    return starts;
}

/// First match of `needle` at a search boundary, by trying every boundary; -1 when none.
inline long Find(const std::string& haystack, const std::string& needle) {
    if (needle.empty()) {
        return 0;
    }
    for (std::size_t start : SearchBoundaries(haystack)) {
        if (haystack.compare(start, needle.size(), needle) == 0) {
            return static_cast<long>(start);
        }
    }
    return -1;
}

/// Repeated replacement from the beginning of the text, matches only at cleanup boundaries,
/// within a scratch space of `scratch` bytes (the text and its terminator must fit).
inline std::string ReplaceAll(std::string text, const std::string& pattern,
                              const std::string& replacement, std::size_t scratch) {
    if (pattern.empty() || text.size() + pattern.size() + replacement.size() > scratch) {
        return text;
    }
    std::size_t start = 0;
    while (!text.empty() && start + pattern.size() <= text.size()) {
        if (text.compare(start, pattern.size(), pattern) != 0) {
            start += CleanupCharLength(text, start);
            continue;
        }
        if (text.size() - pattern.size() + replacement.size() >= scratch) {
            break;
        }
        text.replace(start, pattern.size(), replacement);
        start = 0;
    }
    return text;
}

/// The characters of a text as the comparison reads them: a lead byte with a non-NUL byte after
/// it is lead*256+trail; the text ends at a NUL or at a lead byte with nothing (or NUL) after it.
inline std::vector<unsigned> CompareValues(const std::string& text) {
    std::vector<unsigned> values;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = text[i];
        if (lead == 0) {
            break;
        }
        if (IsLead(lead)) {
            if (i + 1 >= text.size() || text[i + 1] == 0) {
                break;
            }
            values.push_back(lead * 256u + static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            values.push_back(lead);
            i += 1;
        }
    }
    return values;
}

/// -1, 0 or 1: the lexicographic order of the character values, a prefix first.
inline int Compare(const std::string& a, const std::string& b) {
    const std::vector<unsigned> va = CompareValues(a);
    const std::vector<unsigned> vb = CompareValues(b);
    return va < vb ? -1 : (vb < va ? 1 : 0);
}

/// Katakana ァ..ン to hiragana ぁ..ん by table position, at cleanup boundaries, up to the first
/// NUL.
inline std::string KatakanaToHiragana(const std::string& source) {
    const std::string text = source.substr(0, source.find('\0'));
    // Both syllabaries in code order: katakana 0x8340..0x8393 without 0x837F, hiragana
    // 0x829F..0x82F1, 83 characters each.
    std::vector<unsigned> katakana;
    for (unsigned code = 0x8340; code <= 0x8393; ++code) {
        if (code != 0x837F) {
            katakana.push_back(code);
        }
    }
    std::string result;
    const std::vector<std::size_t> starts = CleanupBoundaries(text);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text.size();
        std::string character = text.substr(starts[k], end - starts[k]);
        if (character.size() == 2) {
            const unsigned code = static_cast<unsigned char>(character[0]) * 256u +
                                  static_cast<unsigned char>(character[1]);
            for (std::size_t n = 0; n < katakana.size(); ++n) {
                if (katakana[n] == code) {
                    const unsigned hiragana = 0x829F + static_cast<unsigned>(n);
                    character = {static_cast<char>(hiragana >> 8),
                                 static_cast<char>(hiragana & 0xFF)};
                }
            }
        }
        result += character;
    }
    return result;
}

/// The search folding, character by character from lists of what joins what (written in UTF-8
/// and converted to Shift-JIS once): half-width forms to full-width, a half-width kana and the
/// mark after it to the joined kana where there is one, katakana to hiragana, full-width Latin to
/// ASCII, upper case to lower.
inline std::string Fold(const std::string& text) {
    struct Lists {
        const char* from;
        const char* to;
    };
    static const Lists kHalfWidth = {
        "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ",
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘ"
        "ホマミムメモヤユヨラリルレロワン゛゜"};
    static const Lists kJoined = {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ",
                                  "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ"};
    static const Lists kKana = {
        "ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌ"
        "ネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヽヾ",
        "ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなにぬ"
        "ねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをんゝゞ"};
    static const Lists kLatin = {
        "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓ"
        "ｔｕｖｗｘｙｚ"
        "０１２３４５６７８９",
        "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz0123456789"};
    // Pairs the characters of two lists one for one; a joined half-width kana is two characters.
    auto pairs = [](const Lists& lists, std::size_t fromLength) {
        const std::string from = platform::Utf8ToCp932(lists.from).value();
        const std::string to = platform::Utf8ToCp932(lists.to).value();
        const std::vector<std::size_t> toStarts = SearchBoundaries(to);
        std::map<std::string, std::string> map;
        for (std::size_t k = 0; k < toStarts.size(); ++k) {
            const std::size_t end = k + 1 < toStarts.size() ? toStarts[k + 1] : to.size();
            map[from.substr(k * fromLength, fromLength)] =
                to.substr(toStarts[k], end - toStarts[k]);
        }
        return map;
    };
    static const auto halfWidth = pairs(kHalfWidth, 1);
    static const auto joined = pairs(kJoined, 2);
    static const auto kana = pairs(kKana, 2);
    static const auto latin = [&pairs] {
        std::map<std::string, std::string> map = pairs(kLatin, 2);
        for (char c = 'A'; c <= 'Z'; ++c) {
            map[std::string(1, c)] = std::string(1, static_cast<char>(c - 'A' + 'a'));
        }
        return map;
    }();
    auto lookUp = [](const std::map<std::string, std::string>& map, const std::string& c) {
        const auto found = map.find(c);
        return found == map.end() ? c : found->second;
    };

    std::vector<std::string> characters;
    const std::vector<std::size_t> starts = SearchBoundaries(text);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text.size();
        characters.push_back(text.substr(starts[k], end - starts[k]));
    }
    std::string folded;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        std::string c = characters[k];
        if (k + 1 < characters.size() && joined.count(c + characters[k + 1]) != 0) {
            c = joined.at(c + characters[k + 1]);
            ++k;
        } else {
            c = lookUp(halfWidth, c);
        }
        folded += lookUp(latin, lookUp(kana, c));
    }
    return folded;
}

/// Ends the run with a message; libFuzzer records the input as a crash.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds) {
        Fail(what);
    }
}

}  // namespace reference
