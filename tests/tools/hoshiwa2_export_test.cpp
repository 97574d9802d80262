#include <gtest/gtest.h>
#include <sys/wait.h>

#include "glossary/glossary_store.h"
#include "support/glossary_fixture.h"

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

class Exporter : public ::testing::Test {
  protected:
    void SetUp() override {
        auto entries = NumberedEntries();
        entries[1].reading = Sj("（かい）");
        entries[3].reading = Sj("（さけ）");
        entries[3].text1 = Sj("鮭の燻製～");
        entries[5].reading = Sj("（かき）");
        data = dir / "YGS_PRG.BIN";
        WriteGlossary(data, entries);
    }

    Result Run(const std::vector<std::string>& args) {
        std::string command = Quote(HOSHIWA2_EXPORT_PATH);
        for (const auto& arg : args) {
            command += " " + Quote(arg);
        }
        command += " >" + Quote((dir / "stdout").string()) + " 2>" +
                   Quote((dir / "stderr").string()) + " </dev/null";
        Result result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadBytes(dir / "stdout");
        result.err = ReadBytes(dir / "stderr");
        return result;
    }

    // What the store itself exports for a view.
    std::string StoreExport(bool csv, int row, const std::string& search = {}) {
        GlossaryStore store;
        EXPECT_TRUE(store.Load(data));
        if (row >= 0) {
            store.FilterByKanaRow(row);
        } else if (!search.empty()) {
            store.Search(search);
        }
        const auto path = dir / "expected";
        EXPECT_TRUE(csv ? store.ExportCsv(path) : store.ExportText(path));
        return ReadBytes(path);
    }

    TempDir dir;
    std::filesystem::path data;
};

}  // namespace

TEST_F(Exporter, WritesExactlyTheStoresExportOfEachView) {
    Result r = Run({"--row", "か", data.string(), "-"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, StoreExport(false, 1));
    EXPECT_NE(r.out, "");

    r = Run({"--csv", data.string(), (dir / "all.csv").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(dir / "all.csv"), StoreExport(true, -1));

    // The search text is typed in UTF-8; the wave dash and the fullwidth tilde are one character.
    r = Run({"--search", "製\u301C", "--csv", data.string(), "-"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, StoreExport(true, -1, Sj("製～")));
    EXPECT_NE(r.out, "");

    // A text with no Shift-JIS form matches nothing; an empty one changes nothing.
    r = Run({"--search", "caf\u00E9", data.string(), "-"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    r = Run({"--search", "", data.string(), "-"});
    EXPECT_EQ(r.out, StoreExport(false, -1));
}

TEST_F(Exporter, RejectsBadUsageWithAOneLineUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {data.string()},
        {data.string(), "-", "extra"},
        {"--tsv", data.string(), "-"},
        {"--row", "か", "--search", "x", data.string(), "-"},
        {"--row", "ア", data.string(), "-"},
        {"--row", "が", data.string(), "-"},
        {data.string(), "-", "--row"},
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
    Result r = Run({(dir / "nothing.bin").string(), "-"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルのオープンに失敗しました。\n");

    r = Run({data.string(), "/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルの書き込みに失敗しました。\n");

    r = Run({data.string(), (dir / "no" / "such.txt").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルのオープンに失敗しました。\n");
}
