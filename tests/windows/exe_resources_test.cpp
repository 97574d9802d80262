// What Windows itself reads from hoshiwa2.exe without running it: the version record that the
// file's properties show, icon 128 and the manifest. The program is read as a data file, through
// the calls Explorer and the loader use, and compared with values written out here by hand and
// with the project's version, which the build passes in.

#include <gtest/gtest.h>

#include "platform/windows_api.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/wx/app_icon.xpm"

namespace {

// The viewer, copied next to this test when it is built.
const wchar_t kViewerName[] = L"" HOSHIWA2_VIEWER_NAME;

// The project's version, major to tweak, as the build sets it.
constexpr DWORD kVersion[] = {HOSHIWA2_VERSION_PARTS};

// The version's parts joined by `separator`: "1.0.0.1", "1, 0, 0, 1".
template <typename Char>
std::basic_string<Char> VersionText(const Char* separator) {
    std::basic_string<Char> text;
    for (DWORD part : kVersion) {
        if (!text.empty()) {
            text += separator;
        }
        for (const char digit : std::to_string(part)) {
            text += static_cast<Char>(digit);
        }
    }
    return text;
}

// The icon that Explorer, the task bar and the windows show: a number, because the shell and
// other programs ask for it by number.
constexpr int kAppIconId = 128;

// Resource types and the manifest's number, as the wide calls take them.
const LPCWSTR kIconType = MAKEINTRESOURCEW(3);         // kIconType
const LPCWSTR kGroupIconType = MAKEINTRESOURCEW(14);   // kGroupIconType
const LPCWSTR kManifestType = MAKEINTRESOURCEW(24);    // RT_MANIFEST
const LPCWSTR kProcessManifest = MAKEINTRESOURCEW(1);  // CREATEPROCESS_MANIFEST_RESOURCE_ID

std::wstring ViewerPath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + kViewerName;
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

    // A string of the Japanese Unicode block; "<missing>" when it has no such string.
    std::wstring String(const wchar_t* name) {
        const void* value = nullptr;
        UINT length = 0;
        if (!Query(std::wstring(L"\\StringFileInfo\\041104b0\\") + name, &value, &length)) {
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

TEST_F(VersionRecord, FixedPartCarriesTheProjectsVersionForAnApplication) {
    const void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(Query(L"\\", &value, &size));
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = kVersion[0] << 16 | kVersion[1];
    const DWORD low = kVersion[2] << 16 | kVersion[3];
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
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
    EXPECT_EQ(pair[0], 0x0411);  // Japanese
    EXPECT_EQ(pair[1], 1200);    // UTF-16

    for (const wchar_t* block : {L"040904b0", L"041103a4", L"040904e4", L"000004b0"}) {
        EXPECT_FALSE(
            Query(std::wstring(L"\\StringFileInfo\\") + block + L"\\ProductName", &value, &size))
            << "unexpected block " << std::string(block, block + 8);
    }
}

TEST_F(VersionRecord, StringBlockCarriesTheProgramsNamesAndVersions) {
    EXPECT_EQ(String(L"FileVersion"), VersionText(L", "));
    EXPECT_EQ(String(L"ProductVersion"), VersionText(L", "));
    EXPECT_EQ(String(L"InternalName"), L"hoshiwa2");
    EXPECT_EQ(String(L"OriginalFilename"), L"hoshiwa2.EXE");
    // "ｱﾌﾟﾘｹｰｼｮﾝ" in halfwidth katakana (U+FF71 ...), spelt out in code points so that the check
    // does not go through the same source encoding as the resource script: neither their
    // fullwidth forms nor their CP932 bytes read as UTF-16.
    const std::wstring application = L"\uFF71\uFF8C\uFF9F\uFF98\uFF79\uFF70\uFF7C\uFF6E\uFF9D";
    EXPECT_EQ(String(L"ProductName"), L"hoshiwa2 " + application);
    EXPECT_EQ(String(L"FileDescription"), L"hoshiwa2 MFC " + application);
}

// The viewer's resources, loaded as data.
class ViewerResources : public ::testing::Test {
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

    // The names of every resource of `type`, numbers as "#n", in the order Windows lists them.
    std::vector<std::wstring> Names(LPCWSTR type) {
        std::vector<std::wstring> names;
        EnumResourceNamesW(
            module, type,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
                reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(
                    IS_INTRESOURCE(name)
                        ? L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name))
                        : std::wstring(name));
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&names));
        return names;
    }

    HMODULE module = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;  // 0 for 256
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

// Icon groups and their images.
class AppIcon : public ViewerResources {
  protected:
    std::vector<GroupIconEntry> Entries(const std::vector<unsigned char>& group) {
        std::vector<GroupIconEntry> entries;
        if (group.size() < 6) {
            return entries;
        }
        WORD count = 0;
        std::memcpy(&count, group.data() + 4, sizeof count);
        for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= group.size(); ++i) {
            GroupIconEntry entry;
            std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
            entries.push_back(entry);
        }
        return entries;
    }

    std::vector<unsigned char> Group(int id) {
        return Resource(MAKEINTRESOURCEW(id), kGroupIconType);
    }

    std::vector<unsigned char> Image(const GroupIconEntry& entry) {
        return Resource(MAKEINTRESOURCEW(entry.id), kIconType);
    }
};

// Width, height and bits per pixel of one icon image, read from the image itself (a PNG's header,
// or a BMP whose height counts the colour image and the mask).
struct ImageFormat {
    int width = 0;
    int height = 0;
    int bits = 0;
    bool png = false;
    bool operator<(const ImageFormat& other) const {
        return std::tie(width, bits, png) < std::tie(other.width, other.bits, other.png);
    }
    bool operator==(const ImageFormat& other) const {
        return width == other.width && height == other.height && bits == other.bits &&
               png == other.png;
    }
};

std::ostream& operator<<(std::ostream& out, const ImageFormat& format) {
    return out << format.width << "x" << format.height << "x" << format.bits
               << (format.png ? " PNG" : " BMP");
}

std::uint32_t BigEndian32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

ImageFormat FormatOf(const std::vector<unsigned char>& image) {
    ImageFormat format;
    static const unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.size() >= 33 && std::memcmp(image.data(), kPngSignature, 8) == 0) {
        // IHDR: width, height, bit depth, colour type (6: RGBA).
        format.png = true;
        format.width = static_cast<int>(BigEndian32(image.data() + 16));
        format.height = static_cast<int>(BigEndian32(image.data() + 20));
        format.bits = image[25] == 6 ? image[24] * 4 : image[24];
    } else if (image.size() >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        format.width = header.biWidth;
        format.height = header.biHeight / 2;
        format.bits = header.biBitCount;
    }
    return format;
}

TEST_F(AppIcon, Icon128Has16ColoursAt32AndTrueColourFrom16To256Pixels) {
    const std::vector<unsigned char> group = Group(kAppIconId);
    ASSERT_FALSE(group.empty()) << "no icon 128";
    std::set<ImageFormat> formats;
    for (const GroupIconEntry& entry : Entries(group)) {
        const ImageFormat format = FormatOf(Image(entry));
        // The directory must describe the image it points to, or Windows picks the wrong one.
        EXPECT_EQ(entry.width == 0 ? 256 : entry.width, format.width);
        EXPECT_EQ(entry.height == 0 ? 256 : entry.height, format.height);
        EXPECT_EQ(entry.bitCount, format.bits) << format;
        EXPECT_EQ(entry.colourCount, format.bits == 4 ? 16 : 0) << format;
        EXPECT_TRUE(formats.insert(format).second) << "twice: " << format;
    }
    const std::set<ImageFormat> expected = {
        {32, 32, 4, false},  {16, 16, 32, false}, {20, 20, 32, false},
        {24, 24, 32, false}, {32, 32, 32, false}, {40, 40, 32, false},
        {48, 48, 32, false}, {64, 64, 32, false}, {256, 256, 32, true}};
    EXPECT_EQ(formats, expected);
}

TEST_F(AppIcon, TrueColourImagesHaveTransparentCorners) {
    // The drawing leaves the corners empty; a 32-bit image with an opaque corner lost its alpha.
    for (const GroupIconEntry& entry : Entries(Group(kAppIconId))) {
        const std::vector<unsigned char> image = Image(entry);
        const ImageFormat format = FormatOf(image);
        if (format.bits != 32 || format.png) {
            continue;
        }
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        // BGRA rows, bottom-up: the first pixel is the bottom-left corner, the last of the first
        // row the bottom-right one.
        const unsigned char* pixels = image.data() + header.biSize;
        ASSERT_GE(image.size(), header.biSize + format.width * format.height * 4u);
        EXPECT_EQ(pixels[3], 0) << format;
        EXPECT_EQ(pixels[(format.width - 1) * 4 + 3], 0) << format;
    }
}

TEST_F(AppIcon, The16ColourImageHasThePixelsOfTheToolkitsIcon) {
    const GroupIconEntry* found = nullptr;
    const std::vector<GroupIconEntry> entries = Entries(Group(kAppIconId));
    for (const GroupIconEntry& entry : entries) {
        if (entry.bitCount == 4) {
            found = &entry;
        }
    }
    ASSERT_NE(found, nullptr) << "no 16-colour image in icon 128";
    const std::vector<unsigned char> image = Image(*found);
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

TEST_F(AppIcon, ExplorersIconIsIcon128) {
    // Explorer shows the first icon group of the file: named groups sort before numbered ones,
    // so the toolkit's own icons must not come first.
    const std::vector<std::wstring> names = Names(kGroupIconType);
    ASSERT_FALSE(names.empty());
    const std::wstring& first = names.front();
    const std::vector<unsigned char> firstGroup = first[0] == L'#'
                                                      ? Group(std::stoi(first.substr(1)))
                                                      : Resource(first.c_str(), kGroupIconType);
    const std::vector<GroupIconEntry> firstEntries = Entries(firstGroup);
    const std::vector<GroupIconEntry> entries128 = Entries(Group(kAppIconId));
    ASSERT_FALSE(entries128.empty());
    ASSERT_EQ(firstEntries.size(), entries128.size());
    // The groups name their images by number; the images themselves must be the same.
    for (std::size_t i = 0; i < entries128.size(); ++i) {
        EXPECT_EQ(Image(firstEntries[i]), Image(entries128[i])) << "image " << i;
    }
}

// The manifest that the loader reads when it starts the viewer.
class Manifest : public ViewerResources {
  protected:
    std::string Text() {
        const std::vector<unsigned char> bytes = Resource(kProcessManifest, kManifestType);
        return std::string(bytes.begin(), bytes.end());
    }

    // A setting of the manifest's windowsSettings in `settingsNamespace`, as Windows' own
    // activation context reads it; "<none>" when it has none.
    std::wstring Setting(const wchar_t* settingsNamespace, const wchar_t* name) {
        const std::wstring path = ViewerPath();
        ACTCTXW context = {};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.c_str();
        context.lpResourceName = kProcessManifest;
        const HANDLE handle = CreateActCtxW(&context);
        if (handle == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "Windows cannot read the manifest: error " << GetLastError();
            return L"<none>";
        }
        wchar_t value[256] = {};
        SIZE_T written = 0;
        const bool found = QueryActCtxSettingsW(0, handle, settingsNamespace, name, value,
                                                std::size(value), &written);
        ReleaseActCtx(handle);
        return found ? value : L"<none>";
    }
};

// The value of attribute `name` in the first element `element` of `xml`; empty when there is none.
std::string Attribute(const std::string& xml, const std::string& element, const std::string& name) {
    const std::size_t start = xml.find("<" + element);
    const std::size_t end = xml.find('>', start);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    const std::string tag = xml.substr(start, end - start);
    const std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t value = at + name.size() + 3;
    return tag.substr(value, tag.find('"', value) - value);
}

TEST_F(Manifest, IsTheOnlyOne) {
    EXPECT_EQ(Names(kManifestType), std::vector<std::wstring>{L"#1"});
}

TEST_F(Manifest, DeclaresPerMonitorV2DpiAwareness) {
    // Windows 10 1703 and later read dpiAwareness, taking the first value they know; earlier
    // versions read dpiAware ("true/pm": per monitor on 8.1, system-aware on 7).
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true/pm");
}

TEST_F(Manifest, NamesTheArchitectureOfTheProgram) {
    // The machine in the program's own PE header, against the application's assemblyIdentity
    // (the first one; the common controls' comes later and says "*").
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(
        reinterpret_cast<std::uintptr_t>(module) & ~std::uintptr_t{3});
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        reinterpret_cast<const unsigned char*>(dos) + dos->e_lfanew);
    const std::map<WORD, std::string> architectures = {{IMAGE_FILE_MACHINE_AMD64, "amd64"},
                                                       {IMAGE_FILE_MACHINE_I386, "x86"},
                                                       {IMAGE_FILE_MACHINE_ARM64, "arm64"}};
    ASSERT_EQ(architectures.count(nt->FileHeader.Machine), 1u) << nt->FileHeader.Machine;
    const std::string text = Text();
    EXPECT_EQ(Attribute(text, "assemblyIdentity", "processorArchitecture"),
              architectures.at(nt->FileHeader.Machine));
    EXPECT_EQ(Attribute(text, "assemblyIdentity", "version"), VersionText("."));
}

TEST_F(Manifest, KeepsTheThemedCommonControls) {
    // Without version 6 of the common controls the buttons and lists lose the system's theme.
    const std::string text = Text();
    const std::size_t dependency = text.find("<dependentAssembly>");
    ASSERT_NE(dependency, std::string::npos);
    const std::string rest = text.substr(dependency);
    EXPECT_EQ(Attribute(rest, "assemblyIdentity", "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attribute(rest, "assemblyIdentity", "version"), "6.0.0.0");
}

}  // namespace
