#include "controls/CheckedComboState.h"

#include <algorithm>
#include <cstdio>

void TCheckedComboState::SetItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    checked_.assign(items_.size(), false);
    chosen_.clear();
}

void TCheckedComboState::SetChecked(int i, bool checked)
{
    if (i < 0 || i >= static_cast<int>(items_.size()) || checked_[i] == checked)
        return;
    if (checked) {
        if (!MultiSelect)
            UncheckAll();
        checked_[i] = true;
        chosen_.push_back(i);
    } else {
        checked_[i] = false;
        chosen_.erase(std::remove(chosen_.begin(), chosen_.end(), i), chosen_.end());
    }
}

bool TCheckedComboState::IsChecked(int i) const
{
    return i >= 0 && i < static_cast<int>(checked_.size()) && checked_[i];
}

void TCheckedComboState::CheckAll()
{
    if (!MultiSelect)
        return;
    chosen_.clear();
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        checked_[i] = true;
        chosen_.push_back(i);
    }
}

void TCheckedComboState::UncheckAll()
{
    checked_.assign(items_.size(), false);
    chosen_.clear();
}

namespace {
std::string Join(const std::vector<std::string>& items, const std::vector<int>& order)
{
    std::string out;
    for (std::size_t n = 0; n < order.size(); ++n) {
        if (n)
            out += ',';
        out += items[order[n]];
    }
    return out;
}
}  // namespace

std::string TCheckedComboState::Value() const
{
    return Join(items_, chosen_);
}

std::string TCheckedComboState::DisplayText() const
{
    if (chosen_.empty())
        return EmptyValue;
    if (DispStyle == dsItems) {
        if (!SortDisplay)
            return Value();
        std::vector<int> sorted = chosen_;
        std::sort(sorted.begin(), sorted.end());
        return Join(items_, sorted);
    }
    if (chosen_.size() == 1)
        return Value();
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%d", Count());
    // The format's one integer argument is its "%d"; anything else in it is
    // text (a format from a form is never handed to printf itself).
    std::string out = KensuValueFormat;
    const std::size_t at = out.find("%d");
    if (at != std::string::npos)
        out.replace(at, 2, buffer);
    return out;
}

int CheckedComboListLines(int dropDownLines, int columns, int itemCount)
{
    const int lines = columns < 2 ? std::min(dropDownLines, itemCount) : itemCount / columns + 1;
    return std::clamp(lines, 1, 20);
}
