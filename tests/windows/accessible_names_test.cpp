// What a screen reader reads through Active Accessibility from the running viewer's main dialog,
// and where its controls go as the window grows. The Windows viewer test runs it while
// hoshiwa2.exe shows a kana row. Buttons and the counter
// are named by Windows' own proxies after their text; the list and the detail pane have no label
// and are named only by the viewer (wxWidgets answers WM_GETOBJECT with those names).

#include <gtest/gtest.h>

#include "platform/windows_api.h"

#include <oleacc.h>

#include <cwchar>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Control {
    HWND window;
    std::wstring className;
    std::wstring text;
    std::wstring name;  // "<none>" when the control has no accessible name
};

std::wstring AccessibleName(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible)))) {
        return L"<none>";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = L"<none>";
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        result = name;
        SysFreeString(name);
    }
    accessible->Release();
    return result;
}

// Every control of the main dialog, in z-order (the templates' order).
class MainDialogNames : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        dialog = FindWindowW(nullptr, L"ホシノワ 用語集 Viewer");
        ASSERT_NE(dialog, nullptr) << "the viewer is not running";
        EnumChildWindows(
            dialog,
            [](HWND window, LPARAM param) -> BOOL {
                wchar_t className[64] = {};
                wchar_t text[256] = {};
                GetClassNameW(window, className, std::size(className));
                // The detail pane is a rich edit control (RICHEDIT50W or RichEdit20W), so that
                // it can highlight; a screen reader meets it as an edit box like the other.
                if (_wcsnicmp(className, L"RichEdit", 8) == 0) {
                    wcscpy(className, L"Edit");
                }
                GetWindowTextW(window, text, std::size(text));
                reinterpret_cast<std::vector<Control>*>(param)->push_back(
                    {window, className, text, AccessibleName(window)});
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&controls));
    }

    void TearDown() override { CoUninitialize(); }

    std::vector<Control> Of(const wchar_t* className) const {
        std::vector<Control> found;
        for (const Control& control : controls) {
            if (_wcsicmp(control.className.c_str(), className) == 0) {
                found.push_back(control);
            }
        }
        return found;
    }

    HWND dialog = nullptr;
    std::vector<Control> controls;
};

// The controls of one window class, in z-order, with the name each must have.
struct Names {
    const wchar_t* className;
    std::vector<std::wstring> names;
};

TEST_F(MainDialogNames, EveryControlHasTheNameAScreenReaderSays) {
    const Names expected[] = {
        {L"Edit", {L"検索文字列:", L"説明"}},
        {L"ListBox", {L"用語一覧"}},
        {L"Button",
         {L"検索", L"全て", L"あ", L"か", L"さ", L"た", L"な", L"は", L"ま", L"や", L"ら", L"わ",
          L"フォント変更"}},
    };
    for (const Names& row : expected) {
        SCOPED_TRACE(std::string(row.className, row.className + std::wcslen(row.className)));
        std::vector<std::wstring> names;
        for (const Control& control : Of(row.className)) {
            names.push_back(control.name);
        }
        EXPECT_EQ(names, row.names);
    }
}

TEST_F(MainDialogNames, CounterIsNamedByItsText) {
    int counters = 0;
    for (const Control& label : Of(L"Static")) {
        if (label.text.find(L'/') != std::wstring::npos) {
            ++counters;
            EXPECT_EQ(label.name, label.text);
        }
    }
    EXPECT_EQ(counters, 1) << "one counter such as 41/294";
}

TEST_F(MainDialogNames, AGrownWindowGivesItsSpaceToTheSearchBoxTheListAndThePane) {
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX));
    // The search box and button, the list, the pane, the counter and the font button, and which
    // of their edges (left, top, right, bottom) follow the window's right or bottom edge.
    const std::tuple<const wchar_t*, size_t, const char*> kFollowing[] = {
        {L"Edit", 0, "..r."}, {L"Button", 0, "l.r."}, {L"ListBox", 0, "...b"},
        {L"Edit", 1, "..rb"}, {L"Static", 1, ".t.b"}, {L"Button", 12, "ltrb"}};
    const auto edges = [this, &kFollowing] {
        std::vector<LONG> all;
        for (const auto& [className, index, follows] : kFollowing) {
            RECT rect{};
            if (const std::vector<Control> found = Of(className); index < found.size()) {
                GetWindowRect(found[index].window, &rect);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            }
            all.insert(all.end(), {rect.left, rect.top, rect.right, rect.bottom});
        }
        return all;
    };
    RECT opened;
    GetWindowRect(dialog, &opened);
    const auto resizeBy = [this, &opened](LONG width, LONG height) {
        SetWindowPos(dialog, nullptr, 0, 0, opened.right - opened.left + width,
                     opened.bottom - opened.top + height, SWP_NOMOVE | SWP_NOZORDER);
        RECT now;
        GetWindowRect(dialog, &now);
        return std::pair(now.right - opened.right, now.bottom - opened.bottom);
    };
    EXPECT_EQ(resizeBy(-100, -100), std::pair(0L, 0L));  // it opens at its smallest
    std::vector<LONG> expected = edges();
    for (size_t i = 0; i < expected.size(); ++i) {
        expected[i] += std::get<2>(kFollowing[i / 4])[i % 4] == '.' ? 0 : i % 2 ? 150 : 200;
    }
    EXPECT_EQ(resizeBy(200, 150), std::pair(200L, 150L));
    EXPECT_EQ(edges(), expected);
    resizeBy(0, 0);
}

}  // namespace
