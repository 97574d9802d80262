#include "glossary/view_history.h"

bool ShownRows::operator==(const ShownRows& other) const {
    if (kind != other.kind) {
        return false;
    }
    switch (kind) {
        case Kind::All:
            return true;
        case Kind::KanaRow:
            return kanaRow == other.kanaRow;
        case Kind::Search:
            return searchText == other.searchText && match == other.match;
    }
    return false;
}

void ViewHistory::Visit(const ViewStep& step) {
    if (!steps.empty()) {
        if (steps[current] == step) {
            return;
        }
        steps.resize(current + 1);
    }
    steps.push_back(step);
    if (steps.size() > kMaxSteps) {
        steps.pop_front();
    }
    current = steps.size() - 1;
}

std::optional<ViewStep> ViewHistory::Back() {
    if (!CanGoBack()) {
        return std::nullopt;
    }
    return steps[--current];
}

std::optional<ViewStep> ViewHistory::Forward() {
    if (!CanGoForward()) {
        return std::nullopt;
    }
    return steps[++current];
}

std::optional<ViewStep> ViewHistory::Current() const {
    if (steps.empty()) {
        return std::nullopt;
    }
    return steps[current];
}

void ViewHistory::Clear() {
    steps.clear();
    current = 0;
}
