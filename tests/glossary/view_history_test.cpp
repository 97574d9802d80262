#include "glossary/view_history.h"

#include <gtest/gtest.h>

namespace {

const ViewStep kSteps[] = {
    {1, ShownRows::All()},
    {2, ShownRows::Row(1)},
    {2, ShownRows::Searched("x", SearchMatch::Folded)},
    {2, ShownRows::Searched("x", SearchMatch::Exact)},  // differs from the one before in options
    {3, ShownRows::All()},
};

enum class Op { Visit, Back, Forward, Clear };

struct Step {
    Op op;
    int step;     // the index in kSteps visited, or expected from Back and Forward (-1: nothing)
    int current;  // the expected current step afterwards (-1: none)
    bool canGoBack;
    bool canGoForward;
};

}  // namespace

TEST(ViewHistory, GoesBackAndForwardLikeABrowser) {
    const Step steps[] = {
        {Op::Back, -1, -1, false, false},  {Op::Visit, 0, 0, false, false},
        {Op::Visit, 0, 0, false, false},  // the current step again adds nothing
        {Op::Visit, 1, 1, true, false},    {Op::Visit, 2, 2, true, false},
        {Op::Visit, 3, 3, true, false},    {Op::Back, 2, 2, true, true},
        {Op::Back, 1, 1, true, true},      {Op::Visit, 1, 1, true, true},  // a restored step
        {Op::Visit, 4, 4, true, false},                                    // drops the steps ahead
        {Op::Back, 1, 1, true, true},      {Op::Back, 0, 0, false, true},
        {Op::Back, -1, 0, false, true},    {Op::Forward, 1, 1, true, true},
        {Op::Forward, 4, 4, true, false},  {Op::Forward, -1, 4, true, false},
        {Op::Clear, -1, -1, false, false}, {Op::Forward, -1, -1, false, false},
    };
    ViewHistory history;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const Step& s = steps[i];
        std::optional<ViewStep> restored;
        if (s.op == Op::Visit) {
            history.Visit(kSteps[s.step]);
        } else if (s.op == Op::Clear) {
            history.Clear();
        } else {
            restored = s.op == Op::Back ? history.Back() : history.Forward();
            EXPECT_EQ(restored.has_value(), s.step >= 0);
            if (restored && s.step >= 0) {
                EXPECT_EQ(*restored, kSteps[s.step]);
            }
        }
        EXPECT_EQ(history.Current().has_value(), s.current >= 0);
        if (history.Current() && s.current >= 0) {
            EXPECT_EQ(*history.Current(), kSteps[s.current]);
        }
        EXPECT_EQ(history.CanGoBack(), s.canGoBack);
        EXPECT_EQ(history.CanGoForward(), s.canGoForward);
    }
}

TEST(ViewHistory, KeepsTheLatestHundredSteps) {
    ViewHistory history;
    for (int position = 0; position < 150; ++position) {
        history.Visit({position, ShownRows::All()});
    }
    int back = 0;
    while (history.Back()) {
        ++back;
    }
    EXPECT_EQ(back, 99);
    EXPECT_EQ(history.Current()->position, 50);
}
