#pragma once

#include <cstddef>
#include <string>

class GlossaryStore;

/// The two places an entry is shown as text. Both hold the same lines; the detail pane puts a
/// blank line after the reading, the text export one after the last line.
enum class EntryTextForm { DetailPane, TextExport };

/// The entry shown in `row` as Shift-JIS text with CRLF line ends: the raw title, the reading in
/// fullwidth parentheses （…） when there is one, text2 when there is one, then text1, each on a
/// line of its own, with the blank line of `form`. A row outside the view composes as an entry
/// whose texts are all empty.
std::string ComposeEntryText(const GlossaryStore& store, int row, EntryTextForm form);

/// The same bytes written to `out`, unless `out` is null; returns their number either way, so
/// that a caller can size one buffer for many entries.
std::size_t ComposeEntryText(const GlossaryStore& store, int row, EntryTextForm form, char* out);

/// Where text2 and text1 of the entry in `row` begin, in bytes, in ComposeEntryText(store, row,
/// form). An empty text2 begins where text1 does.
struct EntryTextOffsets {
    std::size_t text2;
    std::size_t text1;
};
EntryTextOffsets ComposedTextOffsets(const GlossaryStore& store, int row, EntryTextForm form);
