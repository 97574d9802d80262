// hoshiwa2-export: writes the rows the viewer would show for a kana row or a search, as the
// viewer's plain-text or CSV export, without a window.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/windows_api.h"
#endif

#include "export/glossary_export.h"
#include "glossary/glossary_messages.h"
#include "glossary/glossary_store.h"
#include "hoshiwa2_version.h"
#include "platform/console_output.h"
#include "platform/cp932.h"
#include "platform/error_message.h"
#include "platform/file_access.h"
#include "tools/utf8_export.h"

namespace {

const char kUsage[] =
    "usage: hoshiwa2-export [--csv] [--encoding ENC] [--row KANA | --search TEXT [--fold]] "
    "DATAFILE OUTFILE";

const char kHelp[] =
    "       hoshiwa2-export --help | --version\n"
    "\n"
    "Writes the glossary rows of DATAFILE (a YGS_PRG.BIN) to OUTFILE, exactly as the viewer's\n"
    "export does: Shift-JIS text with CRLF line ends.\n"
    "\n"
    "  --csv          write CSV (title, reading, texts) instead of the plain-text form\n"
    "  --encoding ENC shift_jis (the default: the viewer's bytes) or utf-8 (the same records\n"
    "                 in UTF-8; bytes with no Unicode form become U+FFFD and are reported)\n"
    "  --row KANA     only the kana row of KANA: one of あ か さ た な は ま や ら わ\n"
    "  --search TEXT  only the entries whose title, reading or texts contain TEXT\n"
    "  --fold         let --search take hiragana and katakana, half-width and full-width\n"
    "                 forms, and upper and lower case as the same (か and が stay apart)\n"
    "  OUTFILE        a path (created or overwritten), or - for standard output\n"
    "  --version      print the program's version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when the data file or the output fails, 2 on a usage error.\n";

// The kana-row buttons in order, as typed on a UTF-8 command line.
const char* const kRowKana[] = {"あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ"};

struct Options {
    bool csv = false;
    bool utf8 = false;
    bool fold = false;
    std::optional<int> row;
    std::optional<std::string> search;
    std::vector<std::string> paths;
};

std::optional<int> RowOfKana(const std::string& kana) {
    for (int row = 0; row < 10; ++row) {
        if (kana == kRowKana[row]) {
            return row;
        }
    }
    return std::nullopt;
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
    // Folding only changes how a search compares: without --search it would do nothing.
    return help || showVersion ||
           (options.paths.size() == 2 && (options.search.has_value() || !options.fold));
}

// Arguments are UTF-8 on every system (see the Windows `wmain`), so paths are made from UTF-8,
// never from the system's narrow code page.
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

int Run(const Options& options) {
    GlossaryStore store;
    if (!store.Load(PathOf(options.paths[0]))) {
        return 1;
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

    platform::File out;
    const std::string& outPath = options.paths[1];
    if (options.utf8) {
        if (outPath == "-") {
            out.AttachStandardOutput();
        } else if (!out.OpenForWriting(PathOf(outPath))) {
            platform::ShowErrorMessage(kOpenFailedMessage);
            return 1;
        }
        std::vector<ReplacedRecord> replaced;
        const bool ok = ExportUtf8(store, options.csv, out, replaced);
        platform::WriteUtf8(platform::StandardStream::Error, ReplacementReport(replaced));
        return ok ? 0 : 1;
    }
    if (outPath == "-") {
        out.AttachStandardOutput();
        const bool ok = options.csv ? ExportCsv(store, out) : ExportText(store, out);
        return ok ? 0 : 1;
    }
    const std::filesystem::path path = PathOf(outPath);
    const bool ok = options.csv ? ExportCsv(store, path) : ExportText(store, path);
    return ok ? 0 : 1;
}

int Main(const std::vector<std::string>& args) {
    Options options;
    bool help = false;
    bool showVersion = false;
    if (!ParseArguments(args, options, help, showVersion)) {
        platform::WriteUtf8(platform::StandardStream::Error, std::string(kUsage) + "\n");
        return 2;
    }
    if (help) {
        platform::WriteUtf8(platform::StandardStream::Output, std::string(kUsage) + "\n" + kHelp);
        return 0;
    }
    if (showVersion) {
        platform::WriteUtf8(platform::StandardStream::Output,
                            std::string("hoshiwa2-export ") + version::kProgramVersion + "\n");
        return 0;
    }
    return Run(options);
}

#ifdef _WIN32
// The command line arrives as UTF-16 whatever the ANSI code page is; a character that cannot
// be UTF-8 (a lone surrogate) becomes U+FFFD.
std::string Utf8OfWide(const wchar_t* wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    return utf8;
}
#endif

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8OfWide(argv[i]));
    }
    return Main(args);
}
#else
int main(int argc, char** argv) {
    return Main(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
