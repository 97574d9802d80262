#include "support/glossary_fixture.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <fstream>
#include <random>
#include <sstream>

#include "export/glossary_export.h"

#ifdef _WIN32
TempDir::TempDir() {
    // Named in Japanese and Cyrillic, so that every test on Windows goes through paths that no
    // single ANSI code page can hold.
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
        const auto candidate =
            base / std::filesystem::u8path("hoshiwa2-テスト-тест-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path = candidate;
        }
    }
    if (path.empty()) {
        ADD_FAILURE() << "could not create a temporary folder";
    }
}
#else
TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "hoshiwa2-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path = pattern;
}
#endif

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string GlossaryImage(const std::vector<EntryChunks>& entries) {
    std::string error;
    const std::string image = BuildGlossaryImage(entries, "hoshiwa2 test glossary", error);
    EXPECT_EQ(error, "");
    return image;
}

std::filesystem::path WriteGlossary(const TempDir& dir, const std::vector<EntryChunks>& entries,
                                    const std::string& name) {
    const std::filesystem::path path = dir / name;
    EXPECT_TRUE(WriteBinaryFile(path, GlossaryImage(entries))) << path;
    return path;
}

GlossaryStore LoadedStore(const std::filesystem::path& path) {
    GlossaryStore store;
    EXPECT_TRUE(store.Load(path).Ok()) << path;
    return store;
}

std::string EngineExport(const std::filesystem::path& data, bool csv, const View& view) {
    GlossaryStore store = LoadedStore(data);
    if (view) {
        view(store);
    }
    const auto path = data.parent_path() / "engine-export";
    EXPECT_TRUE((csv ? ExportCsv(store, path) : ExportText(store, path)).Ok());
    return ReadBytes(path);
}

View KanaRowView(int row) {
    return [row](GlossaryStore& store) { store.FilterByKanaRow(row); };
}

View SearchView(const std::string& sjis) {
    return [sjis](GlossaryStore& store) { store.Search(sjis); };
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
