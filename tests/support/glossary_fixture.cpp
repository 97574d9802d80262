#include "support/glossary_fixture.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "glossary/glossary_store.h"
#include "platform/cp932.h"

std::string Sj(const std::string& utf8) {
    const auto bytes = platform::Utf8ToCp932(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or(std::string());
}

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

void WriteGlossary(const std::filesystem::path& path, const std::vector<EntryChunks>& entries) {
    std::string error;
    const std::string image = BuildGlossaryImage(entries, "hoshiwa2 test glossary", error);
    ASSERT_EQ(error, "");
    ASSERT_TRUE(WriteBinaryFile(path, image));
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

MessageRecorder::MessageRecorder() {
    previous = platform::SetErrorMessageHandler(
        [this](const std::string& text) { messages.push_back(text); });
}

MessageRecorder::~MessageRecorder() {
    platform::SetErrorMessageHandler(previous);
}
