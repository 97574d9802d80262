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
constexpr unsigned FoldWide(unsigned code) {
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

// FoldWide for every character with lead byte 0x81-0x83, the only leads that fold, looked up
// by (lead - 0x81) * 256 + trail.
struct WideFolds {
    std::uint16_t code[3 * 256];
};
constexpr WideFolds MakeWideFolds() {
    WideFolds folds{};
    for (unsigned i = 0; i < 3 * 256; ++i) {
        folds.code[i] = static_cast<std::uint16_t>(FoldWide(0x8100 + i));
    }
    return folds;
}
constexpr WideFolds kWideFolds = MakeWideFolds();

// Writes the folded form of text[0, size) to `out`, which has room for 2 * size bytes (a
// half-width byte becomes two), and returns the end of what it wrote. With kTrack it also writes
// the start of each byte's source character to `starts`. Load folds every searched text, so the
// common characters (kanji, most ASCII) take the shortest way through.
template <bool kTrack>
char* FoldInto(const unsigned char* text, std::size_t size, char* out, std::size_t* starts) {
    std::size_t i = 0;
    while (i < size) {
        const std::size_t start = i;
        const unsigned char byte = text[i];
        unsigned code;
        if (byte < 0x80) {
            code = byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
            i += 1;
        } else if (platform::IsSjisLeadByte(byte) && i + 1 < size) {
            code = byte * 256u + text[i + 1];
            if (byte <= 0x83) {
                code = kWideFolds.code[code - 0x8100];
            }
            i += 2;
        } else if (byte >= kFirstHalfWidth && byte <= kLastHalfWidth) {
            code = FoldWide(kFullWidth[byte - kFirstHalfWidth]);
            i += 1;
            if (i < size && (text[i] == kVoicedMark || text[i] == kSemiVoicedMark)) {
                const unsigned joined = JoinedKana(byte, text[i] == kSemiVoicedMark);
                if (joined != 0) {
                    code = FoldWide(joined);
                    i += 1;
                }
            }
        } else {
            code = byte;  // a lone lead byte at the end, or a byte that is no character
            i += 1;
        }
        if (code > 0xFF) {
            *out++ = static_cast<char>(code >> 8);
            if (kTrack) {
                *starts++ = start;
            }
        }
        *out++ = static_cast<char>(code);
        if (kTrack) {
            *starts++ = start;
        }
    }
    return out;
}

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

std::string FoldForSearch(const std::string& sjisText) {
    std::string folded(2 * sjisText.size(), '\0');
    char* const end = FoldInto<false>(Bytes(sjisText), sjisText.size(), folded.data(), nullptr);
    folded.resize(static_cast<std::size_t>(end - folded.data()));
    return folded;
}

char* FoldForSearchInto(const char* text, std::size_t size, char* out) {
    return FoldInto<false>(reinterpret_cast<const unsigned char*>(text), size, out, nullptr);
}

std::string FoldForSearch(const std::string& sjisText, std::vector<std::size_t>& sourceStarts) {
    std::string folded(2 * sjisText.size(), '\0');
    sourceStarts.assign(2 * sjisText.size() + 1, 0);
    char* const end =
        FoldInto<true>(Bytes(sjisText), sjisText.size(), folded.data(), sourceStarts.data());
    folded.resize(static_cast<std::size_t>(end - folded.data()));
    sourceStarts.resize(folded.size());
    sourceStarts.push_back(sjisText.size());
    return folded;
}
