// The output list's operations on long, random tables against the plainest
// way of doing the same: sorting with a pairwise comparison of the rows'
// texts in a stable sort, deleting by filtering, converting row by row, and
// the duplicate index against a look at the rows that are left. The tables draw their cells from small pools so that
// ties, equal values written differently and texts that differ only in case, hyphens or leading blanks are frequent.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalog/fraction.h"
#include "engine/number_text.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "output/comparators.h"
#include "output/output_list.h"
#include "output/text_compare.h"

namespace vantrel {
namespace {

struct MarkedRow {
    ResultRow cells;
    RowState state;
    bool operator==(const MarkedRow& other) const {
        return cells == other.cells && state.selected == other.state.selected && state.focused == other.state.focused;
    }
};

std::vector<MarkedRow> contents(const ResultTable& table) {
    std::vector<MarkedRow> rows;
    for (std::size_t i = 0; i < table.size(); ++i) rows.push_back({table.row(i), table.state(i)});
    return rows;
}

template <typename T>
const T& pick(std::mt19937& random, const std::vector<T>& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

// Condition values the duplicate test is asked about, so that rows written
// from them in either unit system can be found again.
const std::vector<double> kCapacities{0.5, 1.25, 2.5, 10, 14, 100};
const std::vector<double> kSuctions{-20, 0, 4.4, 25, 40, 45};
const std::vector<double> kLiquids{90, 100, 105.5};
const std::vector<double> kLengths{18, 30, 36};
const std::vector<std::string> kParts{
    "503-4-1/4-5", "5-4-8", "1104-16-1/4-8", "s1106-24-5/16-12", "S1106-24-5/16-12", "A", "a", "co-op", "coop", ""};
const std::vector<std::string> kRefrigerants{"R-22", "R-134a", "R-404A", "R22", "R-12", "r-22"};

// A row in U.S. or SI texts; the other cells come from pools of texts the
// list really holds and of some it could.
ResultRow randomRow(std::mt19937& random, bool si) {
    static const std::vector<std::string> styles{"Nozzle", "Venturi", "nozzle", "Venturi-Nozzle", ""};
    static const std::vector<std::string> numbers{"14.75", " 4.4", "4.40", "-",   "",     "100.0",
                                                  "-3.5",  "  30", "abc",  "1e3", " 0.0", "-0.0"};
    static const std::vector<std::string> sizes{"7/8 ODM", "1-1/8 ODM", "7/8 FLARE", "5/8 ODM", "1/4 OD",
                                                "5/32 OD", "x ODM",     "",          "7/8",     "1-1/8 IDM"};
    static const std::vector<std::string> orifices{"3/4", "1/6", "2.5", "1", "-", "1/2"};
    static const std::vector<std::string> texts{"none",     "Integral",  "Auxiliary",   "",
                                                "-",        "Permanent", "Replaceable", "3/8, 1/2, or 5/8 ODF",
                                                "integral", "it's"};
    const auto conditions = conditionCells(pick(random, kCapacities), pick(random, kSuctions), pick(random, kLiquids),
                                           pick(random, kLengths), si);
    ResultRow row;
    row[column::kStyle] = pick(random, styles);
    row[column::kPartNumber] = pick(random, kParts);
    row[column::kRefrigerant] = pick(random, kRefrigerants);
    for (int i = 0; i < 4; ++i) row[static_cast<std::size_t>(column::kCapacity + i)] = conditions[i];
    for (int col : {column::kTotalDrop, column::kTubeDrop, column::kTubeLoad, column::kNozzleDrop, column::kNozzleLoad,
                    column::kCircuits})
        row[static_cast<std::size_t>(col)] = pick(random, numbers);
    row[column::kInletSize] = pick(random, sizes);
    row[column::kOutletSize] = pick(random, sizes);
    row[column::kOrifice] = pick(random, orifices);
    for (int col : {column::kOrificeType, column::kSidePort, column::kSidePortSize})
        row[static_cast<std::size_t>(col)] = pick(random, texts);
    return row;
}

ResultTable randomTable(std::mt19937& random, std::size_t rows, bool si, double selectedShare) {
    ResultTable table;
    std::bernoulli_distribution selected(selectedShare);
    for (std::size_t i = 0; i < rows; ++i) {
        table.append(randomRow(random, si));
        table.setSelected(i, selected(random));
    }
    if (rows > 0) table.setFocused(std::uniform_int_distribution<std::size_t>(0, rows)(random));  // rows: none
    return table;
}

// --- sorting -------------------------------------------------------------------

double fractionValue(const std::string& text) {
    double value = 0.0;
    parseFraction(std::string_view(text).substr(0, text.find(' ')), value);
    return value;
}

double refrigerantNumber(const std::string& text) {
    const std::size_t dash = text.find('-');
    return leadingDouble(dash == std::string::npos ? text : text.substr(dash + 1));
}

int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Each column's rule applied to two rows directly, reading the cells anew
// on every comparison.
int referenceCompare(const ResultRow& a, const ResultRow& b, int col) {
    const std::string& x = a[static_cast<std::size_t>(col)];
    const std::string& y = b[static_cast<std::size_t>(col)];
    switch (col) {
        case column::kPartNumber:
            return compareText(a[column::kStyle].substr(0, 9) + x, b[column::kStyle].substr(0, 9) + y);
        case column::kRefrigerant: return compareNumbers(refrigerantNumber(x), refrigerantNumber(y));
        case column::kInletSize:
        case column::kOutletSize: {
            const int byValue = compareNumbers(fractionValue(x), fractionValue(y));
            return byValue != 0 ? byValue : compareText(x, y);
        }
        case column::kStyle:
        case column::kOrificeType:
        case column::kSidePort:
        case column::kSidePortSize: return compareText(x, y);
        default: return compareNumbers(leadingDouble(x), leadingDouble(y));
    }
}

void referenceSort(std::vector<MarkedRow>& rows, int col, bool ascending) {
    std::stable_sort(rows.begin(), rows.end(), [col, ascending](const MarkedRow& a, const MarkedRow& b) {
        const int order = referenceCompare(a.cells, b.cells, col);
        return ascending ? order < 0 : order > 0;
    });
}

TEST(LongListSort, EveryColumnAndDirectionMatchesAStableSortOfTheRows) {
    std::mt19937 random(1405);
    for (const std::size_t size : {2u, 3u, 17u, 700u}) {
        SCOPED_TRACE("rows: " + std::to_string(size));
        for (const bool si : {false, true}) {
            ResultTable table = randomTable(random, size, si, 0.3);
            std::vector<MarkedRow> expected = contents(table);
            SortState sort;
            // A run of clicks: later sorts start from the order earlier ones
            // left, which is where ties keep their places; the second click on
            // a column sorts it descending.
            for (int col = 0; col < kColumnCount; ++col) {
                for (int click = 0; click < 2; ++click) {
                    sortByColumn(table, sort, col);
                    referenceSort(expected, col, sort.SortAscending);
                    ASSERT_EQ(contents(table), expected) << "column " << col << (click ? " descending" : " ascending");
                }
            }
        }
    }
}

TEST(LongListSort, RandomClicksKeepMatching) {
    std::mt19937 random(77);
    ResultTable table = randomTable(random, 2000, false, 0.5);
    std::vector<MarkedRow> expected = contents(table);
    SortState sort;
    for (int click = 0; click < 60; ++click) {
        const int col = std::uniform_int_distribution<int>(0, kColumnCount - 1)(random);
        sortByColumn(table, sort, col);
        referenceSort(expected, col, sort.SortAscending);
        ASSERT_EQ(contents(table), expected) << "click " << click << " on column " << col;
    }
}

TEST(LongListSort, ReorderPutsEveryRowWhereThePermutationSays) {
    std::mt19937 random(3);
    for (const std::size_t size : {1u, 2u, 5u, 1000u}) {
        ResultTable table = randomTable(random, size, false, 0.5);
        const std::vector<MarkedRow> before = contents(table);
        std::vector<std::size_t> order(size);
        for (std::size_t i = 0; i < size; ++i) order[i] = i;
        // Shuffled, then partly put back, so the permutation has long cycles,
        // short ones and rows that stay.
        std::shuffle(order.begin(), order.end(), random);
        for (std::size_t i = 0; i < size; i += 7) {
            const auto at = std::find(order.begin(), order.end(), i);
            std::swap(*at, order[i]);
        }
        table.reorder(order);
        std::vector<MarkedRow> expected;
        for (std::size_t from : order) expected.push_back(before[from]);
        EXPECT_EQ(contents(table), expected) << size << " rows";
    }
}

// --- the duplicate index -------------------------------------------------------

// The six texts the duplicate test compares: at most 38 characters of each,
// without leading blanks.
using KeyTexts = std::array<std::string, 6>;

std::string keyText(const std::string& cell) {
    std::string text = cell.substr(0, kCellReadLength);
    return text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
}

KeyTexts keyTexts(const std::string& part, const std::string& refrigerant,
                  const std::array<std::string, 4>& conditions) {
    return {keyText(part),          keyText(refrigerant),   keyText(conditions[0]),
            keyText(conditions[1]), keyText(conditions[2]), keyText(conditions[3])};
}

// The index of `table` answers, for every combination of the pools in the
// units the rows are written in, as a look at the rows themselves does.
void expectIndexToMatchTheRows(const ResultTable& table, bool si) {
    std::set<KeyTexts> shown;
    for (const ResultRow& row : table.rows())
        shown.insert(
            keyTexts(row[column::kPartNumber], row[column::kRefrigerant],
                     {row[column::kCapacity], row[column::kSuction], row[column::kLiquid], row[column::kLength]}));
    int found = 0;
    for (const std::string& part : kParts)
        for (const std::string& refrigerant : kRefrigerants)
            for (double capacity : kCapacities)
                for (double suction : kSuctions)
                    for (double liquid : kLiquids)
                        for (double length : kLengths) {
                            const bool expected =
                                shown.count(keyTexts(part, refrigerant,
                                                     conditionCells(capacity, suction, liquid, length, si))) != 0;
                            found += expected ? 1 : 0;
                            ASSERT_EQ(table.isDuplicate(part, refrigerant, capacity, suction, liquid, length, si),
                                      expected)
                                << part << " " << refrigerant << " " << capacity << " " << suction << " " << liquid
                                << " " << length;
                        }
    // Both answers must occur for the comparison to mean something.
    if (!table.empty()) {
        EXPECT_GT(found, 0);
    }
    EXPECT_LT(found, static_cast<int>(kParts.size() * kRefrigerants.size() * kCapacities.size() * kSuctions.size() *
                                      kLiquids.size() * kLengths.size()));
}

TEST(LongListIndex, TextCountsFollowAddsAndRemovesLikeAMap) {
    // Few distinct texts and many operations: texts go and come back, slots
    // of removed texts fill the table and it is made again, over and over.
    std::mt19937 random(11);
    TextCounts counts;
    std::map<std::string, int> expected;
    std::uniform_int_distribution<int> textNumber(0, 400);
    std::uniform_int_distribution<int> operation(0, 9);
    for (int step = 0; step < 200000; ++step) {
        const std::string text = "k" + std::to_string(textNumber(random)) + std::string(step % 7, ' ');
        const int op = operation(random);
        if (op < 4) {
            counts.add(text);
            ++expected[text];
        } else if (op < 8) {
            counts.remove(text);
            if (expected[text] > 0) --expected[text];
        } else {
            ASSERT_EQ(counts.contains(text), expected[text] > 0) << "step " << step << " " << text;
        }
        if (step % 50000 == 49999) {
            for (const auto& [known, count] : expected) ASSERT_EQ(counts.contains(known), count > 0) << known;
        }
    }
    EXPECT_FALSE(counts.contains(""));
    counts.add("");
    EXPECT_TRUE(counts.contains(""));
    counts.clear();
    EXPECT_FALSE(counts.contains(""));
    EXPECT_FALSE(counts.contains("k1"));
}

// --- deleting ------------------------------------------------------------------

struct Deleted {
    std::vector<MarkedRow> rows;
    std::vector<std::string> calls;
};

struct RecordedEvents : OutputListEvents {
    std::vector<std::string> calls;
    void rowsDeleted() override { calls.push_back("rowsDeleted"); }
    void listEmptied() override { calls.push_back("listEmptied"); }
};

// Delete Selection and the Delete key, done by filtering a copy of the rows.
Deleted referenceDelete(const std::vector<MarkedRow>& rows, bool withKey) {
    Deleted result;
    std::size_t first = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].state.selected) {
            first = std::min(first, i);
            continue;
        }
        result.rows.push_back(rows[i]);
    }
    const bool any = first < rows.size();
    if (withKey && !any) {
        result.rows = rows;
        return result;
    }
    if (any) result.calls.push_back("rowsDeleted");
    if (result.rows.empty() && !rows.empty()) result.calls.push_back("listEmptied");
    if (withKey && !result.rows.empty()) {
        const std::size_t next = first < result.rows.size() ? first : 0;
        for (MarkedRow& row : result.rows) row.state.focused = false;
        result.rows[next].state.selected = true;
        result.rows[next].state.focused = true;
    }
    return result;
}

TEST(LongListDelete, SelectedRowsGoAsFilteringWouldTakeThem) {
    std::mt19937 random(2024);
    // From no row selected to all of them, on both sides of half, where the
    // index is either trimmed or made again.
    for (const double share : {0.0, 0.01, 0.1, 0.45, 0.55, 0.9, 1.0}) {
        for (const bool withKey : {false, true}) {
            SCOPED_TRACE(std::string(withKey ? "Delete key" : "Delete Selection") + ", share " + std::to_string(share));
            ResultTable table = randomTable(random, 1500, false, share);
            const Deleted expected = referenceDelete(contents(table), withKey);
            RecordedEvents events;
            if (withKey)
                deleteWithKey(table, events);
            else
                deleteSelection(table, events);
            EXPECT_EQ(contents(table), expected.rows);
            EXPECT_EQ(events.calls, expected.calls);
            expectIndexToMatchTheRows(table, false);
        }
    }
}

TEST(LongListDelete, SelectAllThenDeleteEmptiesListAndIndex) {
    std::mt19937 random(9);
    ResultTable table = randomTable(random, 800, true, 0.2);
    RecordedEvents events;
    selectAll(table);
    EXPECT_TRUE(deleteSelection(table, events));
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(events.calls, (std::vector<std::string>{"rowsDeleted", "listEmptied"}));
    for (const std::string& part : kParts)
        EXPECT_FALSE(table.isDuplicate(part, "R-22", 2.5, 40, 100, 30, true)) << part;
    // Rows appended afterwards are found again.
    const ResultRow row = randomRow(random, true);
    table.append(row);
    expectIndexToMatchTheRows(table, true);
}

// --- the units switch ----------------------------------------------------------

// Each row converted on its own, in a list of one.
std::vector<ResultRow> convertedOneByOne(const ResultTable& table, bool toSi) {
    std::vector<ResultRow> rows;
    for (const ResultRow& row : table.rows()) {
        SelectionForm one;
        one.siUnits = toSi;
        one.rows.append(row);
        one.convertRows();
        rows.push_back(one.rows.row(0));
    }
    return rows;
}

TEST(LongListUnits, WholeListSwitchesAsEachRowAloneAndBack) {
    std::mt19937 random(31);
    SelectionForm form;
    form.siUnits = false;
    form.rows = randomTable(random, 1200, false, 0.3);
    const std::vector<MarkedRow> before = contents(form.rows);
    FormInputs inputs = lists::defaultInputs(false);
    for (const bool toSi : {true, false, true}) {
        SCOPED_TRACE(toSi ? "to SI" : "to U.S.");
        const std::vector<ResultRow> expected = convertedOneByOne(form.rows, toSi);
        form.switchUnits(inputs, nullptr);
        ASSERT_EQ(form.siUnits, toSi);
        ASSERT_EQ(form.rows.size(), before.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(form.rows.row(i), expected[i]) << "row " << i;
            // Marks stay, and the cells outside the six converted ones too.
            EXPECT_EQ(form.rows.state(i).selected, before[i].state.selected);
            EXPECT_EQ(form.rows.state(i).focused, before[i].state.focused);
            for (int col : {column::kPartNumber, column::kRefrigerant, column::kLength, column::kTubeLoad,
                            column::kInletSize, column::kSidePortSize})
                EXPECT_EQ(form.rows.row(i)[static_cast<std::size_t>(col)],
                          before[i].cells[static_cast<std::size_t>(col)]);
        }
        expectIndexToMatchTheRows(form.rows, toSi);
    }
}

}  // namespace
}  // namespace vantrel
