#include "export/export_command.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/dictionary_export.h"
#include "export/glossary_export.h"
#include "export/utf8_export.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "glossary/kana_rows.h"
#include "hoshiwa2_version.h"
#include "platform/cp932.h"
#include "platform/file_access.h"

namespace {

const char kUsage[] =
    "usage: hoshiwa2-export [--csv] [--encoding ENC] [--row KANA | --search TEXT [--fold]] "
    "DATAFILE OUTFILE";

const char kDictionaryUsage[] =
    "       hoshiwa2-export --format stardict|yomitan [--title TEXT] [--row KANA | --search TEXT]\n"
    "                       DATAFILE OUTFILE\n";

const char kHelp[] =
    "       hoshiwa2-export --help | --version\n"
    "\n"
    "Writes the glossary rows of DATAFILE (a YGS_PRG.BIN) to OUTFILE, exactly as the viewer's\n"
    "export does: Shift-JIS text with CRLF line ends.\n"
    "\n"
    "  --csv          write CSV (title, reading, texts) instead of the plain-text form\n"
    "  --encoding ENC shift_jis (the default: the viewer's bytes) or utf-8 (the same records\n"
    "                 in UTF-8; bytes with no Unicode form become U+FFFD and are reported)\n"
    "  --row KANA     only the kana row of KANA: one of";
// The help goes on after the kana rows with:
const char kHelpAfterRows[] =
    "\n"
    "  --search TEXT  only the entries whose title, reading or texts contain TEXT\n"
    "  --format FMT   write a dictionary instead: stardict (OUTFILE.ifo with .idx, .dict and\n"
    "                 .syn beside it) or yomitan (a zip); titles are the headwords\n"
    "  --title TEXT   the dictionary's name (default ホシノワ用語集)\n"
    "  --fold         let --search take hiragana and katakana, half-width and full-width\n"
    "                 forms, and upper and lower case as the same (か and が stay apart)\n"
    "  OUTFILE        a path (created or overwritten), or - for standard output\n"
    "  --version      print the program's version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when the data file or the output fails, 2 on a usage error.\n";

struct Options {
    bool csv = false;
    bool utf8 = false;
    bool encodingGiven = false;
    std::optional<DictionaryFormat> dictionary;
    std::optional<std::string> title;
    bool fold = false;
    std::optional<int> row;
    std::optional<std::string> search;
    std::vector<std::string> paths;
};

// The kana row labelled `kana` as typed on a UTF-8 command line.
std::optional<int> RowOfKana(const std::string& kana) {
    for (int row = 0; row < kKanaRowCount; ++row) {
        if (kana == platform::Cp932ToUtf8(kKanaRows[row])) {
            return row;
        }
    }
    return std::nullopt;
}

std::string HelpText() {
    std::string help = std::string(kUsage) + "\n" + kDictionaryUsage + kHelp;
    for (const char* kana : kKanaRows) {
        help += " " + platform::Cp932ToUtf8(kana);
    }
    return help + kHelpAfterRows;
}

// Shows a failure as one line of UTF-8 on standard error; returns the exit status for it.
int Report(const GlossaryResult& result, const ExportCommandStreams& io) {
    if (result.Ok()) {
        return 0;
    }
    io.printError(platform::Cp932ToUtf8(result.errorMessage) + "\n");
    return 1;
}

// The names --encoding takes, in any letter case.
std::optional<bool> IsUtf8Encoding(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (name == "utf-8" || name == "utf8") {
        return true;
    }
    if (name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "cp932") {
        return false;
    }
    return std::nullopt;
}

std::optional<DictionaryFormat> DictionaryFormatNamed(const std::string& name) {
    if (name == "stardict") {
        return DictionaryFormat::StarDict;
    }
    if (name == "yomitan") {
        return DictionaryFormat::Yomitan;
    }
    return std::nullopt;
}

// Returns false on a usage error.
bool ParseArguments(const std::vector<std::string>& args, Options& options, bool& help,
                    bool& showVersion) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            showVersion = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--fold") {
            options.fold = true;
        } else if (arg == "--encoding" && i + 1 < args.size()) {
            const std::optional<bool> utf8 = IsUtf8Encoding(args[++i]);
            if (!utf8) {
                return false;
            }
            options.utf8 = *utf8;
            options.encodingGiven = true;
        } else if (arg == "--format" && i + 1 < args.size() && !options.dictionary) {
            options.dictionary = DictionaryFormatNamed(args[++i]);
            if (!options.dictionary) {
                return false;
            }
        } else if (arg == "--title" && i + 1 < args.size() && !options.title) {
            options.title = args[++i];
        } else if (arg == "--row" && i + 1 < args.size() && !options.row && !options.search) {
            options.row = RowOfKana(args[++i]);
            if (!options.row) {
                return false;
            }
        } else if (arg == "--search" && i + 1 < args.size() && !options.row && !options.search) {
            options.search = args[++i];
        } else {
            return false;
        }
    }
    if (help || showVersion) {
        return true;
    }
    // A dictionary is always UTF-8 and several files (or a zip), never standard output.
    if (options.dictionary && (options.csv || options.encodingGiven || options.paths.size() != 2 ||
                               options.paths[1] == "-")) {
        return false;
    }
    // Folding only changes how a search compares: without --search it would do nothing.
    if (options.fold && !options.search) {
        return false;
    }
    return options.paths.size() == 2 && (options.dictionary || !options.title);
}

// Arguments are UTF-8 on every system (platform::CommandLineArguments), so paths are made from
// UTF-8, never from the system's narrow code page.
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

int RunDictionary(const Options& options, const GlossaryStore& store,
                  const ExportCommandStreams& io) {
    const DictionaryEntries entries = CollectDictionaryEntries(store);
    DictionaryRequest request;
    request.format = *options.dictionary;
    request.output = PathOf(options.paths[1]);
    request.dataFile = PathOf(options.paths[0]);
    request.title = options.title.value_or(std::string());
    if (const GlossaryResult result = ExportDictionary(entries, request); !result.Ok()) {
        return Report(result, io);
    }
    if (entries.leftOut > 0) {
        io.printError("hoshiwa2-export: " + std::to_string(entries.leftOut) +
                      (entries.leftOut == 1
                           ? " entry has neither a title nor a reading and was"
                           : " entries have neither a title nor a reading and were") +
                      " left out\n");
    }
    io.printError(ReplacementReport(entries.replaced));
    return 0;
}

int Run(const Options& options, const ExportCommandStreams& io) {
    GlossaryStore store;
    if (const GlossaryResult loaded = store.Load(PathOf(options.paths[0])); !loaded.Ok()) {
        return Report(loaded, io);
    }
    if (options.row) {
        store.FilterByKanaRow(*options.row);
    } else if (options.search && !options.search->empty()) {
        // A text with no Shift-JIS form cannot occur in the glossary.
        const std::optional<std::string> text = platform::Utf8ToCp932(*options.search);
        if (text) {
            store.Search(*text, options.fold ? SearchMatch::Folded : SearchMatch::Exact);
        } else {
            store.ShowNone();
        }
    }

    if (options.dictionary) {
        return RunDictionary(options, store, io);
    }

    platform::File named;
    platform::File& out = options.paths[1] == "-" ? io.standardOutput : named;
    const std::string& outPath = options.paths[1];
    if (options.utf8) {
        if (outPath != "-" && !out.OpenForWriting(PathOf(outPath))) {
            return Report({kOpenFailedMessage}, io);
        }
        std::vector<ReplacedRecord> replaced;
        const int status = Report(ExportUtf8(store, options.csv, out, replaced), io);
        io.printError(ReplacementReport(replaced));
        return status;
    }
    if (outPath == "-") {
        return Report(options.csv ? ExportCsv(store, out) : ExportText(store, out), io);
    }
    const std::filesystem::path path = PathOf(outPath);
    return Report(options.csv ? ExportCsv(store, path) : ExportText(store, path), io);
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, const ExportCommandStreams& io) {
    Options options;
    bool help = false;
    bool showVersion = false;
    if (!ParseArguments(args, options, help, showVersion)) {
        io.printError(std::string(kUsage) + "\n");
        return 2;
    }
    if (help) {
        io.printOutput(HelpText());
        return 0;
    }
    if (showVersion) {
        io.printOutput(std::string("hoshiwa2-export ") + version::kProgramVersion + "\n");
        return 0;
    }
    return Run(options, io);
}
