#pragma once

#include <array>

/// The number of kana rows the list can be narrowed to.
inline constexpr int kKanaRowCount = 10;

/// The kana rows in order, each named by its first hiragana as Shift-JIS: あ か さ た な は ま
/// や ら わ. Row r holds the sort keys from kKanaRows[r] up to the next row's kana (ん after
/// わ); the viewer's buttons and the exporter's --row are labelled with these.
inline constexpr std::array<const char*, kKanaRowCount> kKanaRows = {
    "\x82\xA0", "\x82\xA9", "\x82\xB3", "\x82\xBD", "\x82\xC8",
    "\x82\xCD", "\x82\xDC", "\x82\xE2", "\x82\xE7", "\x82\xED",
};
