// The Shift-JIS primitives against naive references: ReplaceAll's character-boundary rule,
// SjisFind against a scan of every boundary, SjisCompare's order (against the character values,
// and antisymmetric and transitive on triples), and KatakanaToHiragana's one-for-one mapping.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzz/reference.h"
#include "glossary/sjis_text.h"

namespace {

using reference::Check;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

void CheckReplaceAll(const std::string& text, const std::string& pattern,
                     const std::string& replacement) {
    // Callers guarantee a non-empty pattern that the replacement does not contain. A
    // replacement as long as its pattern could rewrite a text forever, and one that grows the
    // text by little takes thousands of passes to reach the scratch bound: both are left out.
    if (pattern.empty() || replacement.find(pattern) != std::string::npos ||
        replacement.size() == pattern.size() ||
        text.size() + pattern.size() + replacement.size() > kReplaceScratchSize) {
        return;
    }
    if (replacement.size() > pattern.size() &&
        (kReplaceScratchSize - text.size()) / (replacement.size() - pattern.size()) > 256) {
        return;
    }
    char buffer[kReplaceScratchSize];
    std::memset(buffer, 'X', sizeof buffer);
    std::memcpy(buffer, text.data(), text.size());
    int length = static_cast<int>(text.size());
    const int returned =
        ReplaceAll(buffer, length, pattern.data(), static_cast<int>(pattern.size()),
                   replacement.data(), static_cast<int>(replacement.size()));
    const std::string expected =
        reference::ReplaceAll(text, pattern, replacement, kReplaceScratchSize);
    Check(returned == length, "ReplaceAll returns the stored length");
    Check(std::string(buffer, static_cast<std::size_t>(length)) == expected,
          "ReplaceAll matches the reference");
    if (expected != text) {
        Check(buffer[length] == '\0', "ReplaceAll terminates a changed text");
    }
}

void CheckFind(const std::string& haystack, const std::string& needle) {
    Check(SjisFind(haystack, needle) == reference::Find(haystack, needle),
          "SjisFind matches the boundary scan");
}

void CheckCompare(const std::string& a, const std::string& b, const std::string& c) {
    const int ab = Sign(SjisCompare(a, b));
    const int ba = Sign(SjisCompare(b, a));
    const int bc = Sign(SjisCompare(b, c));
    const int ac = Sign(SjisCompare(a, c));
    Check(SjisCompare(a, a) == 0, "SjisCompare is reflexive");
    Check(ab == -ba, "SjisCompare is antisymmetric");
    Check(ab == reference::Compare(a, b), "SjisCompare orders by character values");
    if (ab <= 0 && bc <= 0) {
        Check(ac <= 0, "SjisCompare is transitive");
        Check(ac == 0 || ab + bc < 0, "SjisCompare equality is transitive");
    }
    if (ab >= 0 && bc >= 0) {
        Check(ac >= 0, "SjisCompare is transitive");
    }
}

void CheckKatakana(const std::string& source) {
    const std::string converted = KatakanaToHiragana(source);
    const std::string text = source.substr(0, source.find('\0'));
    Check(converted.size() == text.size(), "KatakanaToHiragana keeps the length");
    Check(converted == reference::KatakanaToHiragana(source),
          "KatakanaToHiragana changes exactly the katakana characters");
    // Converting twice changes nothing more: no hiragana is taken for katakana.
    Check(KatakanaToHiragana(converted) == converted, "KatakanaToHiragana is idempotent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(16);
    const std::string replacement = input.ConsumeRandomLengthString(16);
    const std::string a = input.ConsumeRandomLengthString(512);
    const std::string b = input.ConsumeRandomLengthString(512);
    const std::string c = input.ConsumeRemainingBytesAsString();

    CheckReplaceAll(a, pattern, replacement);
    CheckReplaceAll(c, pattern, replacement);
    CheckFind(a, pattern);
    CheckFind(c, b);
    CheckCompare(a, b, c);
    CheckCompare(pattern, a, replacement);
    CheckKatakana(a);
    CheckKatakana(c);
    return 0;
}
