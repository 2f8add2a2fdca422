#pragma once
// The choice of the checked combo box: which items are checked, in the order
// they were checked, and the text the box shows for it.
//
// The choice is kept as a list of item texts, not as one comma-joined text,
// so that an item holding "," is still one item; and the count is the size of
// that list, so it cannot drift from it when two items read the same.

#include <string>
#include <vector>

enum TCHBDispStyle { dsKensu, dsItems };
enum TCHBQuoteStyle { qsNone, qsSingle, qsDouble };

class TCheckedComboState {
public:
    // Items as the box lists them; every change clears the choice.
    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return items_; }

    bool MultiSelect = true;
    TCHBDispStyle DispStyle = dsKensu;
    bool SortDisplay = false;
    std::string EmptyValue = "未選択";
    std::string KensuValueFormat = "%d件選択";

    // Checks or unchecks item i (out of range: nothing). Without MultiSelect,
    // checking an item unchecks every other.
    void SetChecked(int i, bool checked);
    bool IsChecked(int i) const;
    void CheckAll();  // only with MultiSelect
    void UncheckAll();

    int Count() const { return static_cast<int>(chosen_.size()); }
    // The checked items joined by ",", in the order they were checked.
    std::string Value() const;
    // What the text area shows.
    std::string DisplayText() const;

private:
    std::vector<std::string> items_;
    std::vector<bool> checked_;
    std::vector<int> chosen_;  // item indexes in the order they were checked
};

// Lines of the open list: with fewer than two columns the drop-down lines or
// the item count when smaller; with columns, items / columns + 1; within 1-20.
int CheckedComboListLines(int dropDownLines, int columns, int itemCount);
