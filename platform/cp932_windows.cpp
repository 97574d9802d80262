// CP932 through Windows' own code page 932, without best-fit replacements.
#include "platform/cp932.h"
#include "platform/cp932_common.h"
#include "platform/sjis_bytes.h"
#include "platform/windows_api.h"

namespace platform {

namespace {

constexpr UINT kCodePage932 = 932;

bool IsSingleByte(unsigned char b) {
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

// Decodes one character (one byte, or a lead and a trail byte) through code page 932; false when
// the code page has no character for it.
bool DecodeUnit(const char* bytes, int length, std::uint32_t& cp) {
    wchar_t wide[2];
    const int n = ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    if (n != 1) {
        return false;
    }
    cp = wide[0];
    return true;
}

// Encodes one Unicode character through code page 932 without best-fit replacements; false when
// the code page has no exact form for it.
bool EncodeUnit(std::uint32_t cp, std::string& out) {
    wchar_t wide[2];
    int wideLength = 1;
    if (cp >= 0x10000) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        wideLength = 2;
    } else {
        wide[0] = static_cast<wchar_t>(cp);
    }
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, wideLength, bytes,
                                        sizeof bytes, nullptr, &usedDefault);
    if (usedDefault || n <= 0) {
        return false;
    }
    // Only the bytes CP932 itself defines count: Windows also round-trips a few single bytes
    // (0x80, 0xA0, 0xFD..0xFF) that are not Shift-JIS characters.
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    const bool valid =
        (n == 1 && IsSingleByte(b0)) ||
        (n == 2 && IsSjisLeadByte(b0) && IsSjisTrailByte(static_cast<unsigned char>(bytes[1])));
    if (!valid) {
        return false;
    }
    out.append(bytes, static_cast<std::size_t>(n));
    return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    for (std::size_t pos = 0; pos < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++pos;
            continue;
        }
        const std::size_t left = sjis.size() - pos;
        const bool pair = left >= 2 && IsSjisLeadByte(b) &&
                          IsSjisTrailByte(static_cast<unsigned char>(sjis[pos + 1]));
        std::uint32_t cp = 0;
        if ((pair || IsSingleByte(b)) && DecodeUnit(sjis.data() + pos, pair ? 2 : 1, cp)) {
            AppendUtf8(out, cp);
        } else {
            // A broken character shows as one replacement character.
            out += kReplacementCharacter;
        }
        pos += pair ? 2 : 1;
    }
    return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::uint32_t cp = 0;
        if (!NextCodePoint(utf8, pos, cp)) {
            return std::nullopt;
        }
        cp = FoldAmbiguous(cp);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (!EncodeUnit(cp, out)) {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace platform
