// Sorting the output list by a column: each column compares by the rule that
// suits its content. The comparators read the rows as they were when the sort
// began and keep ties in their previous order.
#pragma once

#include <memory>
#include <vector>

#include "results/result_rows.h"

namespace vantrel {

/// Base of the column comparators: `List`, `Column`, `Ascending`.
class TMyComparator {
public:
    TMyComparator(const ResultTable& list, int column, bool ascending);
    virtual ~TMyComparator() = default;
    /// Negative when row `a` belongs before row `b` in the current direction.
    int compare(std::size_t a, std::size_t b) const {
        return Ascending ? compareAscending(a, b) : -compareAscending(a, b);
    }

protected:
    /// The result for ascending order; the base compares every pair equal.
    virtual int compareAscending(std::size_t, std::size_t) const { return 0; }
    const std::string& cell(std::size_t row) const { return List.row(row)[static_cast<std::size_t>(Column)]; }

    const ResultTable& List;
    int Column;
    bool Ascending;
};

/// Cell texts in text order.
class TMyStringComparator : public TMyComparator {
public:
    using TMyComparator::TMyComparator;

protected:
    int compareAscending(std::size_t a, std::size_t b) const override;
};

/// Leading numbers of the cell texts (0 when there is none).
class TMyFloatComparator : public TMyComparator {
public:
    TMyFloatComparator(const ResultTable& list, int column, bool ascending);

protected:
    int compareAscending(std::size_t a, std::size_t b) const override;

private:
    std::vector<double> values_;
};

/// Sizes written as fractions ("7/8", "1-1/8"), read up to the first blank;
/// equal sizes by their whole texts.
class TMyFracComparator : public TMyComparator {
public:
    TMyFracComparator(const ResultTable& list, int column, bool ascending);

protected:
    int compareAscending(std::size_t a, std::size_t b) const override;

private:
    std::vector<double> values_;
};

/// Refrigerant numbers: the leading number after the first "-" ("R-134a" is 134).
class TMyRefComparator : public TMyComparator {
public:
    TMyRefComparator(const ResultTable& list, int column, bool ascending);

protected:
    int compareAscending(std::size_t a, std::size_t b) const override;

private:
    std::vector<double> values_;
};

/// Distributor type (column 0, at most 9 characters) followed by the cell text.
class TMyModelComparator : public TMyComparator {
public:
    TMyModelComparator(const ResultTable& list, int column, bool ascending);

protected:
    int compareAscending(std::size_t a, std::size_t b) const override;

private:
    std::vector<std::string> keys_;
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
