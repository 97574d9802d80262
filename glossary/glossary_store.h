#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "glossary/glossary_result.h"
#include "glossary/kana_fold.h"

/// The number of entries of the glossary: storage, views and the counter all use it.
constexpr int kEntryCount = 294;

class CrossReferenceIndex;

/// The whole glossary in memory: six Shift-JIS texts per entry, the kana order of the entries
/// and the rows the list shows. A row names a sorted position, which names an entry index.
class GlossaryStore {
  public:
    /// Row accessors: the text of the entry shown in `row`, or the empty text for a row outside
    /// 0..VisibleCount()-1. The reference stays valid as long as the store; the next Load
    /// changes what it holds.
    const std::string& TitleAt(int row) const;
    const std::string& ReadingAt(int row) const;
    const std::string& Text1At(int row) const;
    const std::string& Text2At(int row) const;
    const std::string& RawTitleAt(int row) const;

    /// Whether any title, reading or text holds a double quote, so that the CSV export can skip
    /// looking for quotes to double when none does.
    bool TextsHoldQuotes() const;

    int VisibleCount() const { return visibleCount; }
    bool IsLoaded() const { return loaded; }

    /// The sorted position (0..kEntryCount-1, the entry's place in kana order, which is its row
    /// under ShowAll) of the entry shown in `row`, or -1 for a row outside 0..VisibleCount()-1.
    int PositionOfRow(int row) const;

    /// The row that shows the entry at sorted position `position`, or -1 when the rows on show
    /// leave it out or the position is outside 0..kEntryCount-1.
    int RowOfPosition(int position) const;

    /// The titles FindCrossReferences looks for, built from this store's titles the first time
    /// it is asked for after a load or sort (not thread-safe) and kept until the next one.
    const CrossReferenceIndex& CrossReferences() const;

    /// Orders the entries by their sort key (SjisCompare) with the store's quicksort: entries with
    /// equal keys keep the order that procedure gives from file order.
    void SortByKey();

    /// Shows every entry, in sorted order.
    void ShowAll();

    /// Replaces the glossary with the data file at `path`. On success every entry holds the new
    /// file's texts (entries a short file does not reach are empty), sorted and all shown, and the
    /// store is marked loaded. On an open or read failure the result holds the open or read
    /// message and the store is exactly as it was.
    GlossaryResult Load(const std::filesystem::path& path);

    /// Shows the entries whose sort key begins in kana row `row` (an index of kKanaRows), in
    /// sorted order, and returns their number. Any other row changes nothing and returns 0. Needs
    /// a load.
    int FilterByKanaRow(int row);

    /// Shows the entries whose title, reading, text1 or text2 contains `text` (Shift-JIS), in
    /// sorted order: byte for byte, or with `SearchMatch::Folded` after FoldForSearch on the text
    /// and the fields. A match starts at a character boundary either way. Needs a load.
    void Search(const std::string& text, SearchMatch match = SearchMatch::Exact);

    /// Shows no rows: the result of a search text that no entry can contain (one that has no
    /// Shift-JIS form, for example).
    void ShowNone() { visibleCount = 0; }

  private:
    int EntryOfRow(int row) const;
    struct ChunkBytes {
        std::uint32_t begin = 0;  // in rawRange
        std::uint32_t length = 0;
    };
    void CompleteEntry(int entry, const std::string& pendingTitle,
                       const std::string& pendingReading, ChunkBytes pendingText1,
                       ChunkBytes pendingText2);
    void CleanTexts(int entry) const;
    void QuickSort(int lo, int hi);
    void IndexSearchTexts() const;
    void FoldSearchTexts();

    // The fields of every entry laid end to end, in file order, so that one pass covers them all:
    // field f (0-3) of entry e spans [starts[4 * e + f], starts[4 * e + f + 1]).
    static constexpr int kSearchedFields = 4;
    struct SearchedTexts {
        std::string texts;
        std::array<std::uint32_t, kEntryCount * kSearchedFields + 1> starts{};
    };
    void SearchIn(const SearchedTexts& searched, const std::string& text);

    int visibleCount = 0;
    std::array<std::string, kEntryCount> title;
    std::array<std::string, kEntryCount> reading;
    // text1 and text2 are cleaned from the chunks as read the first time they are asked for:
    // opening a file cleans only the titles and readings that the list and the order need.
    std::shared_ptr<const std::vector<char>> rawRange;
    std::array<ChunkBytes, kEntryCount> rawText1{};
    std::array<ChunkBytes, kEntryCount> rawText2{};
    mutable std::array<std::string, kEntryCount> text1;
    mutable std::array<std::string, kEntryCount> text2;
    mutable std::array<bool, kEntryCount> textsCleaned{};
    std::array<std::string, kEntryCount> sortKey;
    std::array<std::string, kEntryCount> rawTitle;
    bool loaded = false;
    std::array<int, kEntryCount> visibleRows{};
    std::array<int, kEntryCount> sortOrder{};

    // What Search looks through: the title, reading, text1 and text2 as they are, and folded.
    // The first search (or export) lays out the texts as they are, and the first folded search
    // folds them, once per load, so that opening a file waits for neither.
    mutable SearchedTexts exactTexts;
    mutable bool exactReady = false;
    mutable bool quotesInTexts = false;  // whether any searched text holds a double quote
    SearchedTexts foldedTexts;
    bool foldedReady = false;

    // Built on first use: most sessions look at a handful of entries, and a load should not wait
    // for it. Shared, as it never changes once built, by copies of the store.
    mutable std::shared_ptr<const CrossReferenceIndex> crossReferences;
};
