// hoshiwa2-export: writes the rows the viewer would show for a kana row or a search, as the
// viewer's plain-text or CSV export, without a window.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "glossary/glossary_store.h"
#include "platform/cp932.h"
#include "platform/file_access.h"

namespace {

const char kUsage[] =
    "usage: hoshiwa2-export [--csv] [--row KANA | --search TEXT] DATAFILE OUTFILE";

const char kHelp[] =
    "Writes the glossary rows of DATAFILE (a YGS_PRG.BIN) to OUTFILE, exactly as the viewer's\n"
    "export does: Shift-JIS text with CRLF line ends.\n"
    "\n"
    "  --csv          write CSV (title, reading, texts) instead of the plain-text form\n"
    "  --row KANA     only the kana row of KANA: one of あ か さ た な は ま や ら わ\n"
    "  --search TEXT  only the entries whose title, reading or texts contain TEXT\n"
    "  OUTFILE        a path (created or overwritten), or - for standard output\n"
    "\n"
    "Exit status: 0 on success, 1 when the data file or the output fails, 2 on a usage error.\n";

// The kana-row buttons in order, as typed on a UTF-8 command line.
const char* const kRowKana[] = {"あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ"};

struct Options {
    bool csv = false;
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

// Returns false on a usage error.
bool ParseArguments(const std::vector<std::string>& args, Options& options, bool& help) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--csv") {
            options.csv = true;
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
    return help || options.paths.size() == 2;
}

int Run(const Options& options) {
    GlossaryStore store;
    if (!store.Load(options.paths[0])) {
        return 1;
    }
    if (options.row) {
        store.FilterByKanaRow(*options.row);
    } else if (options.search && !options.search->empty()) {
        // A text with no Shift-JIS form cannot occur in the glossary.
        const std::optional<std::string> text = platform::Utf8ToCp932(*options.search);
        if (text) {
            store.Search(*text);
        } else {
            store.ShowNone();
        }
    }

    platform::File out;
    const std::string& outPath = options.paths[1];
    if (outPath == "-") {
        out.AttachStandardOutput();
        const bool ok = options.csv ? store.ExportCsv(out) : store.ExportText(out);
        return ok ? 0 : 1;
    }
    const bool ok = options.csv ? store.ExportCsv(outPath) : store.ExportText(outPath);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    bool help = false;
    if (!ParseArguments(args, options, help)) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    if (help) {
        std::printf("%s\n\n%s", kUsage, kHelp);
        return 0;
    }
    return Run(options);
}
