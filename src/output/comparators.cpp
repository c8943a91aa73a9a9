#include "output/comparators.h"

#include <algorithm>
#include <numeric>

#include "catalog/fraction.h"
#include "engine/number_text.h"
#include "output/text_compare.h"

namespace vantrel {
namespace {

int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

template <typename Convert>
std::vector<double> valuesOf(const ResultTable& list, int column, Convert convert) {
    std::vector<double> values(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) values[i] = convert(list.row(i)[static_cast<std::size_t>(column)]);
    return values;
}

constexpr std::size_t kTypeKeyLength = 9;

}  // namespace

TMyComparator::TMyComparator(const ResultTable& list, int column, bool ascending)
    : List(list), Column(column), Ascending(ascending) {}

int TMyStringComparator::compareAscending(std::size_t a, std::size_t b) const { return compareText(cell(a), cell(b)); }

TMyFloatComparator::TMyFloatComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending),
      values_(valuesOf(list, column, [](const std::string& text) { return leadingDouble(text); })) {}

int TMyFloatComparator::compareAscending(std::size_t a, std::size_t b) const {
    return compareNumbers(values_[a], values_[b]);
}

TMyFracComparator::TMyFracComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending), values_(valuesOf(list, column, [](const std::string& text) {
          // An unreadable size counts as 0 and sorts by its text among equals.
          double value = 0.0;
          parseFraction(std::string_view(text).substr(0, text.find(' ')), value);
          return value;
      })) {}

int TMyFracComparator::compareAscending(std::size_t a, std::size_t b) const {
    const int byValue = compareNumbers(values_[a], values_[b]);
    return byValue != 0 ? byValue : compareText(cell(a), cell(b));
}

TMyRefComparator::TMyRefComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending), values_(valuesOf(list, column, [](const std::string& text) {
          const std::size_t dash = text.find('-');
          return leadingDouble(dash == std::string::npos ? std::string_view(text)
                                                         : std::string_view(text).substr(dash + 1));
      })) {}

int TMyRefComparator::compareAscending(std::size_t a, std::size_t b) const {
    return compareNumbers(values_[a], values_[b]);
}

TMyModelComparator::TMyModelComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending) {
    keys_.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ResultRow& row = list.row(i);
        keys_.push_back(row[column::kStyle].substr(0, kTypeKeyLength) + row[static_cast<std::size_t>(column)]);
    }
}

int TMyModelComparator::compareAscending(std::size_t a, std::size_t b) const { return compareText(keys_[a], keys_[b]); }

std::unique_ptr<TMyComparator> comparatorFor(const ResultTable& list, int column, bool ascending) {
    switch (column) {
        case column::kPartNumber: return std::make_unique<TMyModelComparator>(list, column, ascending);
        case column::kRefrigerant: return std::make_unique<TMyRefComparator>(list, column, ascending);
        case column::kInletSize:
        case column::kOutletSize: return std::make_unique<TMyFracComparator>(list, column, ascending);
        case column::kStyle:
        case column::kOrificeType:
        case column::kSidePort:
        case column::kSidePortSize: return std::make_unique<TMyStringComparator>(list, column, ascending);
        default: return std::make_unique<TMyFloatComparator>(list, column, ascending);
    }
}

void SortState::click(int column) {
    SortAscending = column != SortColumn ? true : !SortAscending;
    SortColumn = column;
}

void sortByColumn(ResultTable& rows, SortState& state, int column) {
    state.click(column);
    if (rows.size() < 2 || column < 0 || column >= kColumnCount) return;
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    {
        const auto comparator = comparatorFor(rows, column, state.SortAscending);
        std::stable_sort(order.begin(), order.end(),
                         [&comparator](std::size_t a, std::size_t b) { return comparator->compare(a, b) < 0; });
    }
    rows.reorder(order);
}

}  // namespace vantrel
