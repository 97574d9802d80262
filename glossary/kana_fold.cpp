#include "glossary/kana_fold.h"

#include <cstdint>

#include "platform/sjis_bytes.h"

namespace {

// The full-width character of each half-width byte 0xA1 (｡) to 0xDF (ﾟ), lead*256+trail. Made
// with Python's cp932 codec: unicodedata.normalize('NFKC', bytes([b]).decode('cp932'))
// .encode('cp932'), except that ﾞ and ﾟ become the spacing marks ゛ (0x814A) and ゜ (0x814B).
constexpr std::uint16_t kFullWidth[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // ﾙﾚﾛﾜﾝﾞﾟ
};
constexpr unsigned char kFirstHalfWidth = 0xA1;
constexpr unsigned char kLastHalfWidth = 0xDF;
constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// The full-width kana that half-width `kana` and a following ﾞ (or ﾟ when `semiVoiced`) make
// together, or 0 where CP932 has none (ﾜﾞ, ｦﾞ, ｱﾟ...). In CP932 the voiced kana follows its
// plain kana and the semi-voiced one follows that; ヴ stands apart.
unsigned JoinedKana(unsigned char kana, bool semiVoiced) {
    const unsigned plain = kFullWidth[kana - kFirstHalfWidth];
    const bool haRow = kana >= 0xCA && kana <= 0xCE;  // ﾊ..ﾎ
    if (semiVoiced) {
        return haRow ? plain + 2 : 0;
    }
    if (kana == 0xB3) {  // ｳ
        return 0x8394;   // ヴ
    }
    return (kana >= 0xB6 && kana <= 0xC4) || haRow ? plain + 1 : 0;  // ｶ..ﾄ, ﾊ..ﾎ
}

// The folded form of the two-byte character `code`: katakana ァ..ン and ヽヾ become their
// hiragana (ヴヵヶ have none and stay), full-width Latin letters and digits become lower-case
// ASCII (returned below 0x100); everything else stays.
unsigned FoldWide(unsigned code) {
    if (code >= 0x8340 && code <= 0x8393 && code != 0x837F) {
        // ァ 0x8340 is ぁ 0x829F; katakana skip the trail byte 0x7F, hiragana do not.
        return code < 0x837F ? code - 0x8340 + 0x829F : code - 0x8340 + 0x829E;
    }
    if (code == 0x8152 || code == 0x8153) {  // ヽヾ
        return code + 2;                     // ゝゞ
    }
    if (code >= 0x8260 && code <= 0x8279) {  // Ａ..Ｚ
        return code - 0x8260 + 'a';
    }
    if (code >= 0x8281 && code <= 0x829A) {  // ａ..ｚ
        return code - 0x8281 + 'a';
    }
    if (code >= 0x824F && code <= 0x8258) {  // ０..９
        return code - 0x824F + '0';
    }
    return code;
}

// Both forms in one walk; `sourceStarts` is null when nobody asks where bytes come from.
std::string Fold(const std::string& text, std::vector<std::size_t>* sourceStarts) {
    std::string folded;
    folded.reserve(text.size() + text.size() / 4);
    if (sourceStarts != nullptr) {
        sourceStarts->clear();
        sourceStarts->reserve(text.size() + text.size() / 4 + 1);
    }
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const std::size_t start = i;
        const auto byte = static_cast<unsigned char>(text[i]);
        unsigned code = byte;
        if (platform::IsSjisLeadByte(byte) && i + 1 < size) {
            code = FoldWide(byte * 256u + static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else if (byte >= kFirstHalfWidth && byte <= kLastHalfWidth) {
            code = FoldWide(kFullWidth[byte - kFirstHalfWidth]);
            i += 1;
            if (i < size && byte >= 0xA6 && byte <= 0xDD) {  // a kana ｦ..ﾝ: a mark may join it
                const auto mark = static_cast<unsigned char>(text[i]);
                if (mark == kVoicedMark || mark == kSemiVoicedMark) {
                    const unsigned joined = JoinedKana(byte, mark == kSemiVoicedMark);
                    if (joined != 0) {
                        code = FoldWide(joined);
                        i += 1;
                    }
                }
            }
        } else {
            if (byte >= 'A' && byte <= 'Z') {
                code = byte - 'A' + 'a';
            }
            i += 1;
        }
        if (code > 0xFF) {
            folded += static_cast<char>(code >> 8);
            if (sourceStarts != nullptr) {
                sourceStarts->push_back(start);
            }
        }
        folded += static_cast<char>(code & 0xFF);
        if (sourceStarts != nullptr) {
            sourceStarts->push_back(start);
        }
    }
    if (sourceStarts != nullptr) {
        sourceStarts->push_back(size);
    }
    return folded;
}

}  // namespace

std::string FoldForSearch(const std::string& sjisText) {
    return Fold(sjisText, nullptr);
}

std::string FoldForSearch(const std::string& sjisText, std::vector<std::size_t>& sourceStarts) {
    return Fold(sjisText, &sourceStarts);
}
