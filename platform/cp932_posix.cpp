// CP932 through iconv, which every POSIX C library offers with this code page.
#include <iconv.h>

#include <cerrno>

#include "platform/cp932.h"
#include "platform/cp932_common.h"
#include "platform/sjis_bytes.h"

namespace platform {

namespace {

// A conversion descriptor. Opening one costs far more than converting a title, so each thread
// keeps one per direction (both encodings are stateless, and Run resets it after a failure).
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

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    static thread_local Converter converter("UTF-8", "CP932");
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
    static thread_local Converter converter("CP932", "UTF-8");
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

}  // namespace platform
