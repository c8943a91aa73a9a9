#include "output/comparators.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "catalog/fraction.h"
#include "engine/number_text.h"
#include "output/text_compare.h"

namespace vantrel {
namespace {

int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

constexpr std::size_t kTypeKeyLength = 9;

// The texts a row's place depends on: the first characters of the style (or
// nothing) and the cell.
struct GroupKey {
    std::string_view style;
    std::string_view cell;
    bool operator==(const GroupKey& other) const { return style == other.style && cell == other.cell; }
};

struct GroupKeyHash {
    std::size_t operator()(const GroupKey& key) const {
        const std::hash<std::string_view> hash;
        return hash(key.cell) * 31 + hash(key.style);
    }
};

template <typename Convert>
std::vector<double> groupValues(std::size_t groups, Convert convert) {
    std::vector<double> values(groups);
    for (std::size_t g = 0; g < groups; ++g) values[g] = convert(g);
    return values;
}

}  // namespace

TMyComparator::TMyComparator(const ResultTable& list, int column, bool ascending, bool withStyle)
    : List(list), Column(column), Ascending(ascending) {
    std::unordered_map<GroupKey, std::uint32_t, GroupKeyHash> groups;
    groupOfRow_.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ResultRow& row = list.row(i);
        const GroupKey key{
            withStyle ? std::string_view(row[column::kStyle]).substr(0, kTypeKeyLength) : std::string_view(),
            row[static_cast<std::size_t>(column)]};
        const auto [it, added] = groups.try_emplace(key, static_cast<std::uint32_t>(firstRow_.size()));
        if (added) firstRow_.push_back(i);
        groupOfRow_[i] = it->second;
    }
}

template <typename Compare>
void TMyComparator::rankGroups(Compare compareGroups) {
    std::vector<std::uint32_t> byRank(groupCount());
    std::iota(byRank.begin(), byRank.end(), std::uint32_t{0});
    std::sort(byRank.begin(), byRank.end(),
              [&compareGroups](std::uint32_t a, std::uint32_t b) { return compareGroups(a, b) < 0; });
    rankOfGroup_.assign(groupCount(), 0);
    rankCount_ = 0;
    for (std::size_t i = 0; i < byRank.size(); ++i) {
        if (i == 0 || compareGroups(byRank[i - 1], byRank[i]) != 0) ++rankCount_;
        rankOfGroup_[byRank[i]] = rankCount_ - 1;
    }
}

std::vector<std::size_t> TMyComparator::sortedOrder() const {
    // A counting sort on the ranks: rows of one rank keep their present
    // order, which is what keeping ties means in either direction.
    const std::size_t rows = groupOfRow_.size();
    auto slot = [this](std::size_t row) {
        const std::uint32_t rank = rankOfGroup_[groupOfRow_[row]];
        return Ascending ? rank : rankCount_ - 1 - rank;
    };
    std::vector<std::size_t> next(static_cast<std::size_t>(rankCount_) + 1, 0);
    for (std::size_t i = 0; i < rows; ++i) ++next[slot(i) + 1];
    for (std::size_t r = 1; r < next.size(); ++r) next[r] += next[r - 1];
    std::vector<std::size_t> order(rows);
    for (std::size_t i = 0; i < rows; ++i) order[next[slot(i)]++] = i;
    return order;
}

TMyStringComparator::TMyStringComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending) {
    rankGroups([this](std::size_t a, std::size_t b) { return compareText(groupCell(a), groupCell(b)); });
}

TMyFloatComparator::TMyFloatComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending) {
    const std::vector<double> values =
        groupValues(groupCount(), [this](std::size_t g) { return leadingDouble(groupCell(g)); });
    rankGroups([&values](std::size_t a, std::size_t b) { return compareNumbers(values[a], values[b]); });
}

TMyFracComparator::TMyFracComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending) {
    const std::vector<double> values = groupValues(groupCount(), [this](std::size_t g) {
        // An unreadable size counts as 0 and sorts by its text among equals.
        const std::string& text = groupCell(g);
        double value = 0.0;
        parseFraction(std::string_view(text).substr(0, text.find(' ')), value);
        return value;
    });
    rankGroups([this, &values](std::size_t a, std::size_t b) {
        const int byValue = compareNumbers(values[a], values[b]);
        return byValue != 0 ? byValue : compareText(groupCell(a), groupCell(b));
    });
}

TMyRefComparator::TMyRefComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending) {
    const std::vector<double> values = groupValues(groupCount(), [this](std::size_t g) {
        const std::string& text = groupCell(g);
        const std::size_t dash = text.find('-');
        return leadingDouble(dash == std::string::npos ? std::string_view(text)
                                                       : std::string_view(text).substr(dash + 1));
    });
    rankGroups([&values](std::size_t a, std::size_t b) { return compareNumbers(values[a], values[b]); });
}

TMyModelComparator::TMyModelComparator(const ResultTable& list, int column, bool ascending)
    : TMyComparator(list, column, ascending, true) {
    std::vector<std::string> keys(groupCount());
    for (std::size_t g = 0; g < keys.size(); ++g) keys[g] = groupStyle(g).substr(0, kTypeKeyLength) + groupCell(g);
    rankGroups([&keys](std::size_t a, std::size_t b) { return compareText(keys[a], keys[b]); });
}

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
    // The comparator points into the rows, so it is gone before they move.
    const std::vector<std::size_t> order = comparatorFor(rows, column, state.SortAscending)->sortedOrder();
    rows.reorder(order);
}

}  // namespace vantrel
