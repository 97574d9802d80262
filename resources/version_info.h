#pragma once

// The version record. Windows builds carry the same values in hoshiwa2.rc; the about box shows
// its own text ("Version 1.03"), not these.

namespace res {

inline constexpr int kFileVersion[4] = {1, 0, 0, 1};
inline constexpr int kProductVersion[4] = {1, 0, 0, 1};
inline constexpr unsigned kVersionLanguage = 0x0411;  // Japanese
inline constexpr unsigned kVersionCodePage = 0x04B0;  // 1200, UTF-16
inline constexpr char kVersionStringBlock[] = "041104b0";
inline constexpr wchar_t kFileVersionText[] = L"1, 0, 0, 1";
inline constexpr wchar_t kProductVersionText[] = L"1, 0, 0, 1";
inline constexpr wchar_t kInternalName[] = L"hoshiwa2";
inline constexpr wchar_t kOriginalFilename[] = L"hoshiwa2.EXE";
inline constexpr wchar_t kProductName[] = L"hoshiwa2 ｱﾌﾟﾘｹｰｼｮﾝ";
inline constexpr wchar_t kFileDescription[] = L"hoshiwa2 MFC ｱﾌﾟﾘｹｰｼｮﾝ";

}  // namespace res
