#include <cstring>
#include <utility>
#include <vector>

#include "glossary/chunk_index.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "glossary/sjis_text.h"
#include "platform/file_access.h"

namespace {

struct Rule {
    const char* pattern;
    int patternLength;
    const char* replacement;
    int replacementLength;
};

// Chunk cleanup, each rule applied to the result of the one before: wrapped lines lose their
// indent (LF + ideographic space), and a stray "n" before a line break goes; then the NUL
// padding and the line breaks themselves go (DropPaddingAndLineBreaks).
const Rule kLineRules[] = {
    {"\x0A\x81\x40", 3, "\x0A", 1},
    {"n\x0A", 2, "", 0},
};

// Titles: two bracketed names 「甲」「乙」 read as 甲、乙; other brackets are dropped.
const Rule kTitleRules[] = {
    {"\x81\x76\x81\x75", 4, "\x81\x41", 2},  // 」「 -> 、
    {"\x81\x75", 2, "", 0},                  // 「
    {"\x81\x76", 2, "", 0},                  // 」
};

// Readings are stored in parentheses （よみ）.
const Rule kReadingRules[] = {
    {"\x81\x69", 2, "", 0},  // （
    {"\x81\x6A", 2, "", 0},  // ）
};

template <std::size_t N>
std::string Clean(const char* text, int length, const Rule (&rules)[N]) {
    char buffer[kReplaceScratchSize];
    std::memcpy(buffer, text, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    for (const Rule& rule : rules) {
        ReplaceAll(buffer, length, rule.pattern, rule.patternLength, rule.replacement,
                   rule.replacementLength);
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

template <std::size_t N>
std::string Clean(const std::string& text, const Rule (&rules)[N]) {
    return Clean(text.data(), static_cast<int>(text.size()), rules);
}

// Drops every NUL and LF byte. Neither can be the trail byte of a character, so dropping one
// never changes where another character starts: dropping both kinds in one pass is dropping the
// NULs and then the LFs.
std::string DropPaddingAndLineBreaks(const char* text, int length) {
    std::string result(static_cast<std::size_t>(length), '\0');
    char* out = result.data();
    for (const char* in = text; in != text + length; ++in) {
        *out = *in;
        out += *in != '\0' && *in != '\x0A';
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

std::string CleanChunk(const char* text, int length) {
    // Most chunks hold no line break, and then the line rules have nothing to match.
    if (std::memchr(text, '\x0A', static_cast<std::size_t>(length)) == nullptr) {
        return DropPaddingAndLineBreaks(text, length);
    }
    const std::string lines = Clean(text, length, kLineRules);
    return DropPaddingAndLineBreaks(lines.data(), static_cast<int>(lines.size()));
}

// Two entries have a fixed sort key: 259 sorts by its shop name rather than its reading, and
// 228 by the reading of its title rather than the converted title.
constexpr int kFixedKeyHourglassShop = 259;
constexpr int kFixedKeyLoofahFlower = 228;
const char kHourglassShopKey[] =
    "\x82\xB7\x82\xC8\x82\xC7\x82\xAF\x82\xA2\x82\xE2";  // すなどけいや
const char kLoofahFlowerKey[] = "\x82\xD6\x82\xBF\x82\xDC\x82\xCC\x82\xCD\x82\xC8";  // へちまのはな

}  // namespace

void GlossaryStore::CompleteEntry(int entry, const std::string& pendingTitle,
                                  const std::string& pendingReading, ChunkBytes pendingText1,
                                  ChunkBytes pendingText2) {
    rawTitle[entry] = pendingTitle;
    title[entry] = Clean(pendingTitle, kTitleRules);
    reading[entry] = Clean(pendingReading, kReadingRules);
    if (!reading[entry].empty()) {
        sortKey[entry] = entry == kFixedKeyHourglassShop ? kHourglassShopKey : reading[entry];
    } else {
        sortKey[entry] =
            entry == kFixedKeyLoofahFlower ? kLoofahFlowerKey : KatakanaToHiragana(title[entry]);
    }
    rawText1[entry] = pendingText1;
    rawText2[entry] = pendingText2;
}

void GlossaryStore::CleanTexts(int entry) const {
    if (textsCleaned[entry]) {
        return;
    }
    textsCleaned[entry] = true;
    const auto clean = [this](ChunkBytes chunk) {
        return chunk.length == 0
                   ? std::string()
                   : CleanChunk(rawRange->data() + chunk.begin, static_cast<int>(chunk.length));
    };
    text1[entry] = clean(rawText1[entry]);
    text2[entry] = clean(rawText2[entry]);
}

GlossaryResult GlossaryStore::Load(const std::filesystem::path& path) {
    platform::File file;
    if (!file.OpenForReading(path)) {
        return {kOpenFailedMessage};
    }

    // One read of the whole glossary range gives the same chunks as a read per chunk; a file
    // that ends early simply yields fewer complete chunks.
    std::vector<char> range(kGlossaryEnd - kGlossaryBegin);
    const std::int64_t got = file.ReadAt(kGlossaryBegin, range.data(), range.size());
    if (got < 0) {
        file.Abort();
        return {kReadFailedMessage};
    }
    const std::uint64_t available = kGlossaryBegin + static_cast<std::uint64_t>(got);

    // The new glossary is built aside and replaces this one only once the file has been read
    // and closed without error, so a failed load leaves everything as it was.
    GlossaryStore fresh;
    std::string pendingTitle, pendingReading;
    ChunkBytes pendingText1, pendingText2;
    int entry = 0;
    for (const ChunkDescriptor& chunk : ChunkIndex) {
        if (chunk.end > available) {
            break;  // the file ends inside this chunk: keep the entries completed so far
        }
        const ChunkBytes bytes{static_cast<std::uint32_t>(chunk.start - kGlossaryBegin),
                               static_cast<std::uint32_t>(chunk.end - chunk.start)};
        switch (chunk.tag) {
            case ChunkTag::Title:
                pendingTitle = CleanChunk(range.data() + bytes.begin, bytes.length);
                break;
            case ChunkTag::Reading:
                pendingReading = CleanChunk(range.data() + bytes.begin, bytes.length);
                break;
            case ChunkTag::Text1:
                pendingText1 = bytes;
                break;
            case ChunkTag::Text2:
                pendingText2 = bytes;
                break;
            case ChunkTag::Separator:
                fresh.CompleteEntry(entry, pendingTitle, pendingReading, pendingText1,
                                    pendingText2);
                ++entry;
                pendingTitle.clear();
                pendingReading.clear();
                pendingText1 = {};
                pendingText2 = {};
                break;
        }
    }
    fresh.rawRange = std::make_shared<const std::vector<char>>(std::move(range));
    fresh.SortByKey();
    fresh.ShowAll();
    if (!file.Close()) {
        return {kReadFailedMessage};
    }
    fresh.loaded = true;
    *this = std::move(fresh);
    return {};
}
