#include "export/dictionary_export.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "export/output_files.h"
#include "export/stardict_export.h"
#include "export/yomitan_export.h"
#include "glossary/glossary_messages.h"
#include "hoshiwa2_version.h"
#include "platform/file_access.h"
#include "platform/sha256.h"

namespace {

const char kDefaultTitle[] = "ホシノワ用語集";

// A title from the command line goes on one line of the .ifo.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return text;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, bool& opened) {
    platform::File file;
    opened = file.OpenForReading(path);
    if (!opened) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const std::int64_t count = file.ReadAt(bytes.size(), buffer, sizeof buffer);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

DictionaryInfo InfoFor(const DictionaryEntries& entries, const DictionaryRequest& request,
                       const CalendarDate& date) {
    DictionaryInfo info;
    info.title = request.title.empty() ? kDefaultTitle : OneLine(request.title);
    info.description = std::string("hoshiwa2 ") + version::kProgramVersion +
                       " で書き出した用語集（" + std::to_string(entries.entries.size()) + " 語）";
    char day[16];
    std::snprintf(day, sizeof day, "%04d.%02d.%02d", date.year, date.month, date.day);
    info.date = day;
    return info;
}

}  // namespace

CalendarDate DateOfEpochSeconds(long long seconds) {
    // Days to a civil date in the proleptic Gregorian calendar (H. Hinnant's days_from_civil
    // inverse), which needs no time-zone database and no thread-unsafe gmtime.
    long long days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    date.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

CalendarDate DictionaryDate() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (*epoch != '\0' && *end == '\0' && seconds >= 0) {
            return DateOfEpochSeconds(seconds);
        }
    }
    return DateOfEpochSeconds(static_cast<long long>(std::time(nullptr)));
}

GlossaryResult ExportDictionary(const DictionaryEntries& entries,
                                const DictionaryRequest& request) {
    if (entries.entries.empty()) {
        return {kNoEntriesMessage};
    }
    const CalendarDate date = DictionaryDate();
    DictionaryInfo info = InfoFor(entries, request, date);
    if (request.format == DictionaryFormat::StarDict) {
        return ExportStarDict(entries.entries, info, request.output);
    }
    bool opened = false;
    const std::optional<std::string> data = ReadWholeFile(request.dataFile, opened);
    if (!data) {
        return {opened ? kReadFailedMessage : kOpenFailedMessage};
    }
    info.revision = YomitanRevision(version::kProgramVersion, platform::Sha256Hex(*data));
    return WriteOutputFiles(
        {{request.output, ZipArchive({{"index.json", YomitanIndex(info)},
                                      {"term_bank_1.json", YomitanTermBank(entries.entries)}},
                                     date)}});
}
