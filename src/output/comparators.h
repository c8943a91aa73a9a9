// Sorting the output list by a column: each column compares by the rule that
// suits its content. The comparators read the rows as they were when the sort
// began and keep ties in their previous order.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "results/result_rows.h"

namespace vantrel {

/// Base of the column comparators: `List`, `Column`, `Ascending`. A
/// comparator reads each row's key once: rows whose key cells hold the same
/// texts form a group, the groups are put in order once by the column's rule,
/// and the rows then follow their groups' places. A list of thousands of
/// rows holds few distinct texts in most columns, so the rule's comparisons
/// run on those few.
class TMyComparator {
public:
    virtual ~TMyComparator() = default;
    /// Every row's index in this comparator's order, ties in their present order.
    std::vector<std::size_t> sortedOrder() const;

protected:
    /// Groups the rows by the cell of `column`, and by the first characters
    /// of the style cell as well when `withStyle`.
    TMyComparator(const ResultTable& list, int column, bool ascending, bool withStyle = false);
    std::size_t groupCount() const { return firstRow_.size(); }
    /// The cell of the column in the rows of group `group`.
    const std::string& groupCell(std::size_t group) const {
        return List.row(firstRow_[group])[static_cast<std::size_t>(Column)];
    }
    /// The style cell of the first row of group `group`.
    const std::string& groupStyle(std::size_t group) const { return List.row(firstRow_[group])[column::kStyle]; }
    /// Puts the groups in ascending order by `compareGroups(a, b)` (negative,
    /// zero or positive as group a belongs before, with or after group b);
    /// each derived constructor calls it once.
    template <typename Compare>
    void rankGroups(Compare compareGroups);

    const ResultTable& List;
    int Column;
    bool Ascending;

private:
    std::vector<std::uint32_t> groupOfRow_;
    std::vector<std::size_t> firstRow_;       ///< per group, the first row holding it
    std::vector<std::uint32_t> rankOfGroup_;  ///< equal groups share a rank
    std::uint32_t rankCount_ = 0;
};

/// Cell texts in text order.
class TMyStringComparator : public TMyComparator {
public:
    TMyStringComparator(const ResultTable& list, int column, bool ascending);
};

/// Leading numbers of the cell texts (0 when there is none).
class TMyFloatComparator : public TMyComparator {
public:
    TMyFloatComparator(const ResultTable& list, int column, bool ascending);
};

/// Sizes written as fractions ("7/8", "1-1/8"), read up to the first blank;
/// equal sizes by their whole texts.
class TMyFracComparator : public TMyComparator {
public:
    TMyFracComparator(const ResultTable& list, int column, bool ascending);
};

/// Refrigerant numbers: the leading number after the first "-" ("R-134a" is 134).
class TMyRefComparator : public TMyComparator {
public:
    TMyRefComparator(const ResultTable& list, int column, bool ascending);
};

/// Distributor type (column 0, at most 9 characters) followed by the cell text.
class TMyModelComparator : public TMyComparator {
public:
    TMyModelComparator(const ResultTable& list, int column, bool ascending);
};

/// The comparator a column sorts by.
std::unique_ptr<TMyComparator> comparatorFor(const ResultTable& list, int column, bool ascending);

/// Which column was sorted last and in which direction.
struct SortState {
    int SortColumn = -1;  ///< none before the first click
    bool SortAscending = true;
    /// A click on a heading: a new column sorts ascending, the same one reverses.
    void click(int column);
};

/// Sorts the rows by `column` in the direction `state` now holds after the click.
void sortByColumn(ResultTable& rows, SortState& state, int column);

}  // namespace vantrel
