#include "platform/cp932.h"

#ifdef _WIN32
#include "platform/windows_api.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

#include <cstdint>

#include "platform/sjis_bytes.h"

namespace platform {

namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD

#ifndef _WIN32

// One conversion descriptor for the length of one conversion.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in+inLeft) as it can, appending to out; returns false at the
    // first sequence it cannot convert, with `in`/`inLeft` pointing at it.
    bool Run(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            char* inPtr = const_cast<char*>(in);
            const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            in = inPtr;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

  private:
    iconv_t cd;
};

#endif

// Decodes one UTF-8 sequence at `pos`; returns false on malformed input.
bool NextCodePoint(std::string_view text, std::size_t& pos, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    std::uint32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        cp = b0 & 0x1F;
        extra = 1;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        cp = b0 & 0x0F;
        extra = 2;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        cp = b0 & 0x07;
        extra = 3;
        min = 0x10000;
    } else {
        return false;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size() && extra > 0) {
        return false;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return false;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Input methods and other programs produce either Unicode form of a few CP932 characters; both
// are folded onto the form CP932 decodes to, so they give the same bytes.
std::uint32_t FoldAmbiguous(std::uint32_t cp) {
    switch (cp) {
        case 0x301C:
            return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE (0x8160)
        case 0x2016:
            return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO (0x8161)
        case 0x2212:
            return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (0x817C)
        case 0x2014:
            return 0x2015;  // EM DASH -> HORIZONTAL BAR (0x815C)
        case 0x00A2:
            return 0xFFE0;  // CENT SIGN (0x8191)
        case 0x00A3:
            return 0xFFE1;  // POUND SIGN (0x8192)
        case 0x00AC:
            return 0xFFE2;  // NOT SIGN (0x81CA)
        default:
            return cp;
    }
}

#ifdef _WIN32

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

#endif

}  // namespace

#ifdef _WIN32

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

#else  // iconv

std::string Cp932ToUtf8(std::string_view sjis) {
    std::string out;
    Converter converter("UTF-8", "CP932");
    const char* in = sjis.data();
    std::size_t left = sjis.size();
    while (left > 0) {
        if (converter.Valid() && converter.Run(in, left, out)) {
            break;
        }
        // A broken character (or no converter at all) shows as one replacement character.
        const auto b = static_cast<unsigned char>(*in);
        const std::size_t skip =
            left >= 2 && IsSjisLeadByte(b) && IsSjisTrailByte(static_cast<unsigned char>(in[1]))
                ? 2
                : 1;
        out += kReplacementCharacter;
        in += skip;
        left -= skip;
    }
    return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::uint32_t cp = 0;
        if (!NextCodePoint(utf8, pos, cp)) {
            return std::nullopt;
        }
        AppendUtf8(folded, FoldAmbiguous(cp));
    }
    Converter converter("CP932", "UTF-8");
    if (!converter.Valid()) {
        return std::nullopt;
    }
    std::string out;
    const char* in = folded.data();
    std::size_t left = folded.size();
    if (!converter.Run(in, left, out)) {
        return std::nullopt;
    }
    return out;
}

#endif

}  // namespace platform
