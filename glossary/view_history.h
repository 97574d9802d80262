#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "glossary/kana_fold.h"

/// The rows a list shows: every entry (全て), one kana row, or the result of a search.
struct ShownRows {
    enum class Kind { All, KanaRow, Search };
    Kind kind = Kind::All;
    int kanaRow = -1;                        // an index of kKanaRows, for KanaRow
    std::string searchText;                  // Shift-JIS, for Search
    SearchMatch match = SearchMatch::Exact;  // for Search

    static ShownRows All() { return {}; }
    static ShownRows Row(int row) { return {Kind::KanaRow, row, {}, SearchMatch::Exact}; }
    static ShownRows Searched(std::string text, SearchMatch match) {
        return {Kind::Search, -1, std::move(text), match};
    }

    /// Equal when they show the same rows: the fields a kind does not use are not compared.
    bool operator==(const ShownRows& other) const;
    bool operator!=(const ShownRows& other) const { return !(*this == other); }
};

/// One place in the history: the entry shown (its sorted position, or -1 for none) and the rows
/// around it.
struct ViewStep {
    int position = -1;
    ShownRows rows;

    bool operator==(const ViewStep& other) const {
        return position == other.position && rows == other.rows;
    }
    bool operator!=(const ViewStep& other) const { return !(*this == other); }
};

/// A browser's back and forward over the steps a reader visits. The current step is the last one
/// visited or gone back or forward to; steps behind it can be gone back to, steps ahead of it
/// forward to.
class ViewHistory {
  public:
    /// The most steps kept; visiting one more drops the oldest.
    static constexpr std::size_t kMaxSteps = 100;

    /// Makes `step` the current step. Nothing happens when it equals the current step (so that
    /// restoring a step and showing it again adds nothing). Otherwise the steps ahead of the
    /// current one are dropped, `step` follows the current one, and the oldest step goes when
    /// more than kMaxSteps are kept.
    void Visit(const ViewStep& step);

    /// Moves one step back and returns the step to restore, or nothing (and stays) when there is
    /// no step behind the current one.
    std::optional<ViewStep> Back();

    /// Moves one step forward and returns the step to restore, or nothing (and stays) when there
    /// is no step ahead of the current one.
    std::optional<ViewStep> Forward();

    bool CanGoBack() const { return current > 0; }
    bool CanGoForward() const { return current + 1 < steps.size(); }

    /// The current step, or nothing before the first visit and after Clear.
    std::optional<ViewStep> Current() const;

    /// Forgets every step, as opening another glossary must.
    void Clear();

  private:
    std::deque<ViewStep> steps;
    std::size_t current = 0;  // index in steps; meaningless while steps is empty
};
