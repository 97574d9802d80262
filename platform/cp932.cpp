// What both systems' CP932 conversions share: reading and writing UTF-8 code points.
#include "platform/cp932_common.h"

namespace platform {

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

int CountReplacements(std::string_view utf8) {
    int count = 0;
    for (std::size_t at = utf8.find(kReplacementCharacter); at != std::string_view::npos;
         at = utf8.find(kReplacementCharacter, at + 3)) {
        ++count;
    }
    return count;
}

}  // namespace platform
