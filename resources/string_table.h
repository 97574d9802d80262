#pragma once

// The viewer's string table. The texts are wide literals, so they reach the toolkit without any
// run-time conversion.

namespace res {

// 101: the about entry of the system menu (of the help menu where there is no system menu).
inline constexpr wchar_t kAboutCommandText[] = L"hoshiwa2 のﾊﾞｰｼﾞｮﾝ情報(&A)...";

// Prompts of the menu commands. No status bar shows them; they are kept with the table they
// belong to. 32772 and 32775 belong to no menu item.
inline constexpr wchar_t kOpenPrompt[] = L"ホシノワの用語集ファイルを開きます。";      // 32771
inline constexpr wchar_t kResultPrompt[] = L"結果をテキストファイルに出力します。";    // 32772
inline constexpr wchar_t kExitPrompt[] = L"ホシノワ用語集Viewerを終了します。";        // 32773
inline constexpr wchar_t kTextExportPrompt[] = L"テキストファイルへのエクスポート。";  // 32775
inline constexpr wchar_t kCsvExportPrompt[] = L"CSVファイルへのエクスポート。";        // 32776

}  // namespace res
