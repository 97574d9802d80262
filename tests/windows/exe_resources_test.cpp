// What Windows itself reads from hoshiwa2.exe without running it: the version record that the
// file's properties show, and icon 128. The program is read as a data file, through the same
// calls Explorer uses.

#include <gtest/gtest.h>

#include "platform/windows_api.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "resources/app_icon.xpm"
#include "resources/resource_ids.h"
#include "resources/version_info.h"

namespace {

// The viewer, copied next to this test when it is built.
const wchar_t kViewerName[] = L"" HOSHIWA2_VIEWER_NAME;

std::wstring ViewerPath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + kViewerName;
}

std::wstring Widen(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

// The version record of the viewer, as GetFileVersionInfo hands it out.
class VersionRecord : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::wstring path = ViewerPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version record in the viewer";
        record.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()));
    }

    // The value at `subBlock`, or nothing when the record lacks it.
    bool Query(const std::wstring& subBlock, const void** value, UINT* size) {
        void* found = nullptr;
        if (!VerQueryValueW(record.data(), subBlock.c_str(), &found, size)) {
            return false;
        }
        *value = found;
        return true;
    }

    // A string of the record's one block; "<missing>" when it has no such string.
    std::wstring String(const wchar_t* name) {
        const void* value = nullptr;
        UINT length = 0;
        const std::wstring path =
            L"\\StringFileInfo\\" + Widen(res::kVersionStringBlock) + L"\\" + name;
        if (!Query(path, &value, &length)) {
            return L"<missing>";
        }
        // The length counts the terminator when there is one.
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        return text;
    }

    std::vector<unsigned char> record;
};

TEST_F(VersionRecord, FixedPartCarriesVersion1_0_0_1ForAnApplication) {
    const void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(Query(L"\\", &value, &size));
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(res::kFileVersion[0] << 16 | res::kFileVersion[1]));
    EXPECT_EQ(fixed->dwFileVersionLS,
              static_cast<DWORD>(res::kFileVersion[2] << 16 | res::kFileVersion[3]));
    EXPECT_EQ(fixed->dwProductVersionMS,
              static_cast<DWORD>(res::kProductVersion[0] << 16 | res::kProductVersion[1]));
    EXPECT_EQ(fixed->dwProductVersionLS,
              static_cast<DWORD>(res::kProductVersion[2] << 16 | res::kProductVersion[3]));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or pre-release flag";
}

TEST_F(VersionRecord, HasOnlyTheJapaneseUnicodeTranslation) {
    const void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(Query(L"\\VarFileInfo\\Translation", &value, &size));
    ASSERT_EQ(size, 4u) << "exactly one language and code page pair";
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0411);
    EXPECT_EQ(pair[1], 1200);
    EXPECT_EQ(res::kVersionLanguage, 0x0411u);
    EXPECT_EQ(res::kVersionCodePage, 1200u);
    EXPECT_STREQ(res::kVersionStringBlock, "041104b0");
}

TEST_F(VersionRecord, StringBlockCarriesTheProgramsNamesAndVersions) {
    EXPECT_EQ(String(L"FileVersion"), res::kFileVersionText);
    EXPECT_EQ(String(L"ProductVersion"), res::kProductVersionText);
    EXPECT_EQ(String(L"InternalName"), res::kInternalName);
    EXPECT_EQ(String(L"OriginalFilename"), res::kOriginalFilename);
    EXPECT_EQ(String(L"ProductName"), res::kProductName);
    EXPECT_EQ(String(L"FileDescription"), res::kFileDescription);
}

TEST_F(VersionRecord, HalfwidthKatakanaSurviveAsUtf16) {
    // "hoshiwa2 ｱﾌﾟﾘｹｰｼｮﾝ": halfwidth forms (U+FF71 ...), not their fullwidth or CP932 bytes.
    const std::wstring name = String(L"ProductName");
    ASSERT_EQ(name.size(), 18u);
    EXPECT_EQ(name.substr(0, 9), L"hoshiwa2 ");
    EXPECT_EQ(static_cast<unsigned>(name[9]), 0xFF71u);
    EXPECT_EQ(static_cast<unsigned>(name[10]), 0xFF8Cu);
    EXPECT_EQ(static_cast<unsigned>(name[11]), 0xFF9Fu);
    EXPECT_EQ(static_cast<unsigned>(name[17]), 0xFF9Du);
}

TEST_F(VersionRecord, HasNoOtherStringBlock) {
    const void* value = nullptr;
    UINT size = 0;
    for (const wchar_t* block : {L"040904b0", L"041103a4", L"040904e4", L"000004b0"}) {
        EXPECT_FALSE(
            Query(std::wstring(L"\\StringFileInfo\\") + block + L"\\ProductName", &value, &size))
            << "unexpected block " << std::string(block, block + 8);
    }
}

// Icon 128 as stored in the viewer: a group with one 32 x 32 image in 16 colours.
class AppIconResource : public ::testing::Test {
  protected:
    void SetUp() override {
        module = LoadLibraryExW(ViewerPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << "cannot read the viewer's resources";
    }

    void TearDown() override {
        if (module != nullptr) {
            FreeLibrary(module);
        }
    }

    // The bytes of resource `name` of `type`; empty when there is none.
    std::vector<unsigned char> Resource(LPCWSTR name, LPCWSTR type) {
        HRSRC found = FindResourceW(module, name, type);
        if (found == nullptr) {
            return {};
        }
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

TEST_F(AppIconResource, Icon128IsOne32x32ImageIn16Colours) {
    const std::vector<unsigned char> group =
        Resource(MAKEINTRESOURCEW(res::kAppIcon), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_GE(group.size(), 6u + sizeof(GroupIconEntry)) << "no icon 128";
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    ASSERT_EQ(count, 1);
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6, sizeof entry);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.bitCount, 4);
}

TEST_F(AppIconResource, Icon128HasTheSamePixelsAsTheToolkitsIcon) {
    const std::vector<unsigned char> group =
        Resource(MAKEINTRESOURCEW(res::kAppIcon), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_GE(group.size(), 6u + sizeof(GroupIconEntry));
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6, sizeof entry);
    const std::vector<unsigned char> image =
        Resource(MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    ASSERT_EQ(header.biWidth, 32);
    ASSERT_EQ(header.biHeight, 64);  // the colour image and the mask
    ASSERT_EQ(header.biBitCount, 4);
    const unsigned char* palette = image.data() + header.biSize;
    const unsigned char* colours = palette + 16 * 4;
    const unsigned char* mask = colours + 32 * 16;  // rows of 16 bytes, bottom-up
    ASSERT_LE(static_cast<std::size_t>(mask + 32 * 4 - image.data()), image.size());

    // The XPM: "width height colours 1", its colour lines, then rows top-down.
    int width = 0;
    int height = 0;
    int colourLines = 0;
    int charsPerPixel = 0;
    ASSERT_EQ(
        std::sscanf(app_icon_xpm[0], "%d %d %d %d", &width, &height, &colourLines, &charsPerPixel),
        4);
    ASSERT_EQ(width, 32);
    ASSERT_EQ(height, 32);
    ASSERT_EQ(charsPerPixel, 1);
    std::map<char, std::string> xpmColours;
    for (int i = 1; i <= colourLines; ++i) {
        const std::string line = app_icon_xpm[i];
        xpmColours[line[0]] = line.substr(line.rfind(' ') + 1);
    }

    int differences = 0;
    for (int y = 0; y < 32; ++y) {
        const char* row = app_icon_xpm[1 + colourLines + y];
        for (int x = 0; x < 32; ++x) {
            const int storedRow = 31 - y;
            const bool transparent = (mask[storedRow * 4 + x / 8] >> (7 - x % 8)) & 1;
            const unsigned char pair = colours[storedRow * 16 + x / 2];
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "#%02X%02X%02X", palette[index * 4 + 2],
                          palette[index * 4 + 1], palette[index * 4]);
            const std::string expected = xpmColours[row[x]];
            const std::string actual = transparent ? "None" : rgb;
            if (actual != expected && differences++ < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << actual << " instead of "
                              << expected;
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST_F(AppIconResource, ExplorersIconIsIcon128) {
    // Explorer shows the first icon group of the file: named groups sort before numbered ones,
    // so the toolkit's own icons must not come first.
    struct First {
        std::wstring name;
        bool found = false;
    } first;
    EnumResourceNamesW(
        module, MAKEINTRESOURCEW(14),
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            auto* result = reinterpret_cast<First*>(param);
            result->name = IS_INTRESOURCE(name)
                               ? L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name))
                               : std::wstring(name);
            result->found = true;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(first.found);
    const std::vector<unsigned char> firstGroup =
        first.name[0] == L'#'
            ? Resource(MAKEINTRESOURCEW(std::stoi(first.name.substr(1))), MAKEINTRESOURCEW(14))
            : Resource(first.name.c_str(), MAKEINTRESOURCEW(14));
    const std::vector<unsigned char> icon128 =
        Resource(MAKEINTRESOURCEW(res::kAppIcon), MAKEINTRESOURCEW(14));
    ASSERT_FALSE(icon128.empty());
    ASSERT_EQ(firstGroup.size(), icon128.size());
    // The groups name their images by number; the images themselves must be the same.
    GroupIconEntry firstEntry;
    GroupIconEntry entry128;
    std::memcpy(&firstEntry, firstGroup.data() + 6, sizeof firstEntry);
    std::memcpy(&entry128, icon128.data() + 6, sizeof entry128);
    EXPECT_EQ(Resource(MAKEINTRESOURCEW(firstEntry.id), MAKEINTRESOURCEW(3)),
              Resource(MAKEINTRESOURCEW(entry128.id), MAKEINTRESOURCEW(3)));
}

}  // namespace
