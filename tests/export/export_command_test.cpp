#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/windows_api.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "export/export_command.h"
#include "platform/file_access.h"
#include "support/bad_paths.h"
#include "support/glossary_fixture.h"
#include "support/posix_files.h"

namespace {

// The failure messages as the exporter writes them: UTF-8, one line.
const char kOpenFailed[] = "ファイルのオープンに失敗しました。\n";
const char kWriteFailed[] = "ファイルの書き込みに失敗しました。\n";
const char kNoEntries[] = "書き出す用語がありません。\n";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

#ifdef _WIN32

// One argument as the C runtime's command-line parser reads it back: quoted, with the
// backslashes before a quote (or before the closing quote) doubled.
std::wstring Quote(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

std::wstring Wide(const std::string& utf8) {
    return std::filesystem::u8path(utf8).wstring();
}

// The exporter is copied next to the tests when they are built.
std::filesystem::path ExporterPath() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(std::wstring(self, length)).parent_path() /
           std::filesystem::u8path(HOSHIWA2_EXPORT_NAME);
}

// Runs the exporter with UTF-16 arguments (the arguments are UTF-8 here), standard output and
// error going to files and standard input from NUL. Standard output always goes to `out` here.
int RunProcess(const std::vector<std::string>& args, const std::filesystem::path& out,
               const std::filesystem::path& err, const std::string& stdoutRedirect) {
    EXPECT_EQ(stdoutRedirect, "") << "no shell redirections on Windows";
    const std::filesystem::path exporter = ExporterPath();
    std::wstring commandLine = Quote(exporter.wstring());
    for (const auto& arg : args) {
        commandLine += L" " + Quote(Wide(arg));
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, 0, nullptr);
    const HANDLE outFile = ::CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                         CREATE_ALWAYS, 0, nullptr);
    const HANDLE errFile = ::CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                         CREATE_ALWAYS, 0, nullptr);
    int status = -1;
    if (in != INVALID_HANDLE_VALUE && outFile != INVALID_HANDLE_VALUE &&
        errFile != INVALID_HANDLE_VALUE) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in;
        startup.hStdOutput = outFile;
        startup.hStdError = errFile;
        PROCESS_INFORMATION process{};
        if (::CreateProcessW(exporter.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, nullptr, &startup, &process)) {
            ::WaitForSingleObject(process.hProcess, INFINITE);
            DWORD code = 0;
            if (::GetExitCodeProcess(process.hProcess, &code)) {
                status = static_cast<int>(code);
            }
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        } else {
            ADD_FAILURE() << "cannot start " << exporter.u8string();
        }
    }
    for (const HANDLE h : {in, outFile, errFile}) {
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
    return status;
}

#else

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the exporter through the shell, standard output and error going to files (unless
// `stdoutRedirect`, such as ">/dev/full" or ">&-", sends standard output elsewhere) and standard
// input from /dev/null. -1 when it did not exit normally or took over 60 s: the time limit only
// keeps a command that blocks from stopping the whole suite.
int RunProcess(const std::vector<std::string>& args, const std::filesystem::path& out,
               const std::filesystem::path& err, const std::string& stdoutRedirect) {
    std::string command = "timeout 60 " + Quote(HOSHIWA2_EXPORT_PATH);
    for (const auto& arg : args) {
        command += " " + Quote(arg);
    }
    command += stdoutRedirect.empty() ? " >" + Quote(out.string()) : " " + stdoutRedirect;
    command += " 2>" + Quote(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) && WEXITSTATUS(raw) != 124 ? WEXITSTATUS(raw) : -1;
}

#endif

// A path as the exporter's command line takes it: UTF-8 on every system.
std::string Arg(const std::filesystem::path& path) {
    return path.u8string();
}

class Exporter : public ::testing::Test {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        entries[1].reading = Sj("（かい）");
        entries[3].reading = Sj("（さけ）");
        entries[3].text1 = Sj("鮭の燻製～");
        entries[5].reading = Sj("（かき）");
        data = WriteGlossary(dir, entries);
    }

    // Runs the command in this process, what it writes to standard output going to a file.
    Result Run(const std::vector<std::string>& args) {
        Result result;
        {
            platform::File standardOutput;
            EXPECT_TRUE(standardOutput.OpenForWriting(dir / "stdout"));
            result.status = RunExportCommand(
                args, {standardOutput, [&](std::string_view text) { result.out += text; },
                       [&](std::string_view text) { result.err += text; }});
        }
        result.out += ReadBytes(dir / "stdout");
        return result;
    }

    // Runs the real program, for what only a process has: its own standard output, and
    // arguments as the system hands them over.
    Result RunProgram(const std::vector<std::string>& args,
                      const std::string& stdoutRedirect = {}) {
        std::filesystem::remove(dir / "stdout");
        Result result;
        result.status = RunProcess(args, dir / "stdout", dir / "stderr", stdoutRedirect);
        result.out = ReadBytes(dir / "stdout");
        result.err = ReadBytes(dir / "stderr");
        return result;
    }

    TempDir dir;
    std::filesystem::path data;
};

}  // namespace

TEST_F(Exporter, WritesExactlyTheStoresExportOfEachView) {
    // Each view's options (the data file and "-" follow) and the engine's view whose export they
    // must give: kana row `row`, or else the exact search `search` (UTF-8; every row when
    // empty). A folded search is held against the exact search that finds the same entries.
    struct Case {
        std::vector<std::string> options;
        bool csv;
        int row;
        std::string search;
        bool empty;  // whether the view has no rows
    };
    const Case views[] = {
        {{"--row", "か"}, false, 1, "", false},
        {{"--csv"}, true, -1, "", false},
        // The search text is typed in UTF-8; the wave dash and the fullwidth tilde are one
        // character.
        {{"--search", "製\u301C", "--csv"}, true, -1, "製～", false},
        // A text with no Shift-JIS form matches nothing; an empty one changes nothing.
        {{"--search", "caf\u00E9"}, false, -1, "", true},
        {{"--search", ""}, false, -1, "", false},
        // --fold: half-width and katakana find hiragana, any width and case find ASCII; voiced
        // marks stay apart; without --fold each finds nothing.
        {{"--fold", "--search", "ｶｲ"}, false, -1, "かい", false},
        {{"--search", "カイ"}, false, -1, "", true},
        {{"--search", "ｻｹ", "--fold", "--csv"}, true, -1, "さけ", false},
        {{"--search", "ｅ００１", "--fold"}, false, -1, "E001", false},
        {{"--search", "e001"}, false, -1, "", true},
        {{"--fold", "--search", "ｶﾞｲ"}, false, -1, "", true},
        {{"--fold", "--search", "がい"}, false, -1, "", true},
        // Every name of the default encoding, in any case.
        {{"--encoding", "Shift_JIS", "--row", "か"}, false, 1, "", false},
        {{"--encoding", "SHIFT-JIS", "--row", "か"}, false, 1, "", false},
        {{"--encoding", "sjis", "--row", "か"}, false, 1, "", false},
        {{"--encoding", "cp932", "--row", "か"}, false, 1, "", false},
    };
    for (const Case& view : views) {
        SCOPED_TRACE(testing::PrintToString(view.options));
        std::vector<std::string> args = view.options;
        args.insert(args.end(), {Arg(data), "-"});
        const Result r = Run(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        if (view.empty) {
            EXPECT_EQ(r.out, "");
        } else {
            const View engineView = view.row >= 0         ? KanaRowView(view.row)
                                    : view.search.empty() ? View()
                                                          : SearchView(Sj(view.search));
            EXPECT_EQ(r.out, EngineExport(data, view.csv, engineView));
            EXPECT_NE(r.out, "");
        }
    }

    // A named output file gets the same bytes as standard output.
    const Result r = Run({"--csv", "--fold", "--search", "ｶｲ", Arg(data), Arg(dir / "f.csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(dir / "f.csv"), EngineExport(data, true, [](GlossaryStore& store) {
                  store.Search(Sj("ｶｲ"), SearchMatch::Folded);
              }));
}

TEST_F(Exporter, TakesEveryKanaRowByItsKana) {
    // One entry in each row, so that no two rows export alike.
    const char* const kana[] = {"あ", "か", "さ", "た", "な", "は", "ま", "や", "ら", "わ"};
    auto entries = NumberedEntries();
    for (int e = 0, row = 0; e < kEntryCount && row < 10; ++e) {
        if (ChunkLength(e, ChunkTag::Reading) >= 6) {
            entries[e].reading = Sj(std::string("（") + kana[row++] + "）");
        }
    }
    data = WriteGlossary(dir, entries);
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(kana[row]);
        const Result r = Run({"--row", kana[row], Arg(data), "-"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, EngineExport(data, false, KanaRowView(row)));
    }
}

TEST_F(Exporter, RejectsBadUsageWithAOneLineUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {Arg(data)},
        {Arg(data), "-", "extra"},
        {"--tsv", Arg(data), "-"},
        {"--row", "か", "--search", "x", Arg(data), "-"},
        {"--row", "ア", Arg(data), "-"},
        {"--row", "が", Arg(data), "-"},
        {Arg(data), "-", "--row"},
        {"--fold", Arg(data), "-"},  // folding without a search
        {"--row", "か", "--fold", Arg(data), "-"},
    };
    for (const auto& args : bad) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(r.err.rfind("usage: hoshiwa2-export", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
        EXPECT_EQ(r.out, "");
    }
    const Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: hoshiwa2-export", 0), 0u);
}

TEST_F(Exporter, ReportsFailuresInUtf8WithStatusOne) {
    const struct {
        std::vector<std::string> args;
        std::string stdoutRedirect;
        std::string message;
    } cases[] = {
        {{Arg(dir / "nothing.bin"), "-"}, "", kOpenFailed},
        {{Arg(data), Arg(dir / "no" / "such.txt")}, "", kOpenFailed},
#ifndef _WIN32
        // A full disk, and a standard output that is full or closed; Windows has no such device.
        {{Arg(data), "/dev/full"}, "", kWriteFailed},
        {{"--encoding", "utf-8", Arg(data), "/dev/full"}, "", kWriteFailed},
        {{"--csv", Arg(data), "-"}, ">/dev/full", kWriteFailed},
        {{"--csv", Arg(data), "-"}, ">&-", kWriteFailed},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.stdoutRedirect);
        const Result r =
            c.stdoutRedirect.empty() ? Run(c.args) : RunProgram(c.args, c.stdoutRedirect);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.message);
    }
}

TEST_F(Exporter, ReadsAndWritesInFoldersNamedInAnyScript) {
    const std::string expectedRow = EngineExport(data, false, KanaRowView(1));
    const std::string expectedSearch = EngineExport(data, true, SearchView(Sj("製～")));
    for (const char* folder : {"用語集フォルダ", "Словарь папка"}) {
        const auto sub = dir.Path() / std::filesystem::u8path(folder);
        ASSERT_TRUE(std::filesystem::create_directory(sub));
        const auto copy = sub / "YGS_PRG.BIN";
        std::filesystem::copy_file(data, copy);

        const auto rowOut = sub / std::filesystem::u8path("か行.txt");
        Result r = RunProgram({"--row", "か", Arg(copy), Arg(rowOut)});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadBytes(rowOut), expectedRow) << folder;

        const auto searchOut = sub / std::filesystem::u8path("検索 結果.csv");
        r = RunProgram({"--csv", "--search", "製～", Arg(copy), Arg(searchOut)});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadBytes(searchOut), expectedSearch) << folder;
    }
}

TEST_F(Exporter, WritesDictionariesAndSaysWhatItLeftOut) {
    auto entries = NumberedEntries();
    entries[2].title = "";  // no title and no reading: no headword
    data = WriteGlossary(dir, entries);
    const auto out = dir.Path() / std::filesystem::u8path("辞書");
    std::filesystem::create_directory(out);
    for (const char* format : {"stardict", "yomitan"}) {
        SCOPED_TRACE(format);
        const std::string name = std::string("d.") + (format[0] == 's' ? "ifo" : "zip");
        const Result r = Run({"--format", format, Arg(data), Arg(out / name)});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err,
                  "hoshiwa2-export: 1 entry has neither a title nor a reading and was "
                  "left out\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(ReadBytes(out / "d.ifo").find("\nwordcount=293\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out / "d.zip"));
}

TEST_F(Exporter, LeavesNoDictionaryBehindWhenOneFails) {
    struct Case {
        std::vector<std::string> options;
        const char* output;  // inside an empty folder
        int status;
        const char* err;
    };
    const char kUsageStart[] = "usage: hoshiwa2-export";
    const Case cases[] = {
        {{"--format", "stardict"}, "none/d.ifo", 1, kOpenFailed},
        {{"--format", "yomitan"}, "none/d.zip", 1, kOpenFailed},
        {{"--format", "stardict", "--search", "ない"}, "d.ifo", 1, kNoEntries},
        {{"--format", "yomitan", "--search", "ない"}, "d.zip", 1, kNoEntries},
        {{"--format", "epwing"}, "d.ifo", 2, kUsageStart},
        {{"--format", "stardict", "--csv"}, "d.ifo", 2, kUsageStart},
        {{"--format", "yomitan", "--encoding", "utf-8"}, "d.zip", 2, kUsageStart},
        {{"--title", "x"}, "d.txt", 2, kUsageStart},  // a title names a dictionary only
    };
    const auto folder = dir.Path() / "out";
    std::filesystem::create_directory(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {Arg(data), Arg(folder / c.output)});
        const Result r = Run(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(folder));
    }
    // Several files cannot go to standard output.
    EXPECT_EQ(Run({"--format", "stardict", Arg(data), "-"}).status, 2);
}

// Bad data files and bad outputs: one UTF-8 message on standard error, exit status 1, nothing on
// standard output, and an existing output file left alone when the data file fails. Never a
// block, never success after a failure.

TEST_F(Exporter, RejectsDataFilesThatAreNotRegularFilesAndKeepsTheOutput) {
    const BadPaths bad(dir.Path(), data);
    const auto output = dir / "kept.csv";
    for (const auto& input : bad.inputs) {
        ASSERT_TRUE(WriteBinaryFile(output, "earlier export"));
        for (const std::string& out : {Arg(output), std::string("-")}) {
            const Result r = Run({"--csv", Arg(input), out});
            EXPECT_EQ(r.status, 1) << input;
            EXPECT_EQ(r.err, kOpenFailed) << input;
            EXPECT_EQ(r.out, "") << input;
        }
        EXPECT_EQ(ReadBytes(output), "earlier export") << input;
    }
}

TEST_F(Exporter, ReportsEveryOutputThatCannotBeOpened) {
    const BadPaths bad(dir.Path(), data);
    for (const auto& out : bad.outputs) {
        for (std::vector<std::string> args :
             {std::vector<std::string>{"--csv"}, std::vector<std::string>{"--row", "か"},
              std::vector<std::string>{"--encoding", "utf-8"}}) {
            args.insert(args.end(), {Arg(data), Arg(out)});
            const Result r = Run(args);
            EXPECT_EQ(r.status, 1) << out;
            EXPECT_EQ(r.err, kOpenFailed) << out;
            EXPECT_EQ(r.out, "") << out;
        }
    }
}

#ifndef _WIN32

TEST_F(Exporter, TakesLongJapanesePathsWithSpacesBothWays) {
    const auto folder = LongJapaneseFolder(dir.Path());
    const auto longData = folder / std::filesystem::u8path("霧笛島 YGS_PRG.BIN");
    const auto out = folder / std::filesystem::u8path("書き出し 結果.csv");
    std::filesystem::copy_file(data, longData);
    const Result r = Run({"--csv", Arg(longData), Arg(out)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBytes(out), EngineExport(data, true));
}

#endif
