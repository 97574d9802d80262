#pragma once

// The viewer's string table. The texts are wide literals, so they reach the toolkit without any
// run-time conversion.

namespace res {

/// The about entry: in the window's system menu on Windows, in the help menu elsewhere.
inline constexpr wchar_t kAboutCommandText[] = L"hoshiwa2 のﾊﾞｰｼﾞｮﾝ情報(&A)...";

}  // namespace res
