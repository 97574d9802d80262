#include "glossary/glossary_store.h"

#include <algorithm>
#include <utility>

#include "glossary/cross_references.h"
#include "glossary/sjis_text.h"

int GlossaryStore::EntryOfRow(int row) const {
    if (row < 0 || row >= visibleCount) {
        return -1;
    }
    return sortOrder[visibleRows[row]];
}

namespace {

const std::string kNoText;

}  // namespace

const std::string& GlossaryStore::TitleAt(int row) const {
    const int entry = EntryOfRow(row);
    return entry < 0 ? kNoText : title[entry];
}

const std::string& GlossaryStore::ReadingAt(int row) const {
    const int entry = EntryOfRow(row);
    return entry < 0 ? kNoText : reading[entry];
}

const std::string& GlossaryStore::Text1At(int row) const {
    const int entry = EntryOfRow(row);
    if (entry < 0) {
        return kNoText;
    }
    CleanTexts(entry);
    return text1[entry];
}

const std::string& GlossaryStore::Text2At(int row) const {
    const int entry = EntryOfRow(row);
    if (entry < 0) {
        return kNoText;
    }
    CleanTexts(entry);
    return text2[entry];
}

const std::string& GlossaryStore::RawTitleAt(int row) const {
    const int entry = EntryOfRow(row);
    return entry < 0 ? kNoText : rawTitle[entry];
}

int GlossaryStore::PositionOfRow(int row) const {
    return row < 0 || row >= visibleCount ? -1 : visibleRows[row];
}

// Every view lists its sorted positions in ascending order.
int GlossaryStore::RowOfPosition(int position) const {
    const auto end = visibleRows.begin() + visibleCount;
    const auto found = std::lower_bound(visibleRows.begin(), end, position);
    return found != end && *found == position ? static_cast<int>(found - visibleRows.begin()) : -1;
}

const CrossReferenceIndex& GlossaryStore::CrossReferences() const {
    if (!crossReferences) {
        crossReferences = std::make_shared<const CrossReferenceIndex>(title, sortOrder);
    }
    return *crossReferences;
}

void GlossaryStore::SortByKey() {
    for (int p = 0; p < kEntryCount; ++p) {
        sortOrder[p] = p;
    }
    QuickSort(0, kEntryCount - 1);
    crossReferences.reset();  // its targets are sorted positions
}

// A plain quicksort with the middle element as pivot. Entries with equal keys end up in the
// order this exact procedure gives, which users see in the list and in exports, so it must not
// be swapped for std::sort.
void GlossaryStore::QuickSort(int lo, int hi) {
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int pivot = sortOrder[mid];
        sortOrder[mid] = sortOrder[lo];
        int last = lo;
        for (int j = lo + 1; j <= hi; ++j) {
            if (SjisCompare(sortKey[sortOrder[j]], sortKey[pivot]) < 0) {
                ++last;
                std::swap(sortOrder[last], sortOrder[j]);
            }
        }
        sortOrder[lo] = sortOrder[last];
        sortOrder[last] = pivot;
        QuickSort(lo, last - 1);
        lo = last + 1;
    }
}

void GlossaryStore::ShowAll() {
    visibleCount = kEntryCount;
    for (int p = 0; p < kEntryCount; ++p) {
        visibleRows[p] = p;
    }
}
