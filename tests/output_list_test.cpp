#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form/selection_form.h"
#include "output/comparators.h"
#include "output/output_list.h"
#include "output/text_compare.h"
#include "test_support.h"

namespace vantrel {
namespace {

constexpr std::size_t kNone = ResultTable::npos;

// A row whose cells read "<tag>:<column>" except those given; the last cell
// keeps the tag so that rows can be told apart after any operation.
ResultRow taggedRow(const std::string& tag, const std::map<int, std::string>& cells = {}) {
    ResultRow row;
    for (int col = 0; col < kColumnCount; ++col) row[static_cast<std::size_t>(col)] = tag + ":" + std::to_string(col);
    for (const auto& [col, text] : cells) row[static_cast<std::size_t>(col)] = text;
    return row;
}

std::string tagOf(const ResultRow& row) {
    const std::string& cell = row[column::kSidePortSize];
    return cell.substr(0, cell.rfind(':'));
}

std::vector<std::string> tagsOf(const ResultTable& table) {
    std::vector<std::string> tags;
    for (const ResultRow& row : table.rows()) tags.push_back(tagOf(row));
    return tags;
}

// Rows "r0", "r1", ... with the given indexes selected.
ResultTable tableOf(std::size_t count, const std::vector<std::size_t>& selected = {}) {
    ResultTable table;
    for (std::size_t i = 0; i < count; ++i) table.append(taggedRow("r" + std::to_string(i)));
    for (std::size_t i : selected) table.setSelected(i, true);
    return table;
}

// A table whose rows differ only in `column`, tagged by their position.
ResultTable columnTable(int column, const std::vector<std::string>& texts) {
    ResultTable table;
    for (std::size_t i = 0; i < texts.size(); ++i)
        table.append(taggedRow("r" + std::to_string(i), {{column, texts[i]}}));
    return table;
}

std::vector<std::string> columnOf(const ResultTable& table, int column) {
    std::vector<std::string> texts;
    for (const ResultRow& row : table.rows()) texts.push_back(row[static_cast<std::size_t>(column)]);
    return texts;
}

std::vector<std::size_t> selectedOf(const ResultTable& table) {
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table.state(i).selected) selected.push_back(i);
    return selected;
}

struct RecordedEvents : OutputListEvents {
    std::vector<std::string> calls;
    void rowsDeleted() override { calls.push_back("rowsDeleted"); }
    void listEmptied() override { calls.push_back("listEmptied"); }
};

// --- copying -----------------------------------------------------------------

TEST(OutputListCopy, PartNumberComesOnlyFromTheFocusedRow) {
    const std::string longPart(45, 'P');
    ResultTable table;
    table.append(taggedRow("a", {{column::kPartNumber, "502-8-1/4-8"}}));
    table.append(taggedRow("b", {{column::kPartNumber, "5-4-8"}}));
    table.append(taggedRow("c", {{column::kPartNumber, longPart}}));

    EXPECT_EQ(partNumberToCopy(table), "");  // nothing focused yet
    table.setSelected(0, true);
    EXPECT_EQ(partNumberToCopy(table), "") << "selection is not focus";
    table.setFocused(1);
    EXPECT_EQ(partNumberToCopy(table), "5-4-8");
    table.setFocused(2);
    EXPECT_EQ(partNumberToCopy(table), longPart.substr(0, 38));
    selectAll(table);
    EXPECT_EQ(partNumberToCopy(table), "");
    EXPECT_EQ(selectedOf(table), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(partNumberToCopy(ResultTable{}), "");
}

TEST(OutputListCopy, SelectedRowsAreTabSeparatedLinesWithoutHeadingOrFinalBreak) {
    const std::string longCell = std::string(39, 'x') + "DROPPD";  // 45 characters
    ResultTable table;
    table.append(taggedRow("a"));
    table.append(taggedRow("b"));
    table.append(taggedRow("c", {{column::kLiquid, longCell}}));
    table.setSelected(0, true);
    table.setSelected(2, true);
    table.setFocused(1);  // focus alone does not copy a row

    std::string expected = "a:0";
    for (int col = 1; col < kColumnCount; ++col) expected += "\ta:" + std::to_string(col);
    expected += "\r\nc:0";
    for (int col = 1; col < kColumnCount; ++col)
        expected += "\t" + (col == column::kLiquid ? std::string(39, 'x') : "c:" + std::to_string(col));
    EXPECT_EQ(selectedRowsToCopy(table), expected);

    EXPECT_EQ(selectedRowsToCopy(tableOf(3)), "");
    EXPECT_EQ(selectedRowsToCopy(ResultTable{}), "");
}

// --- deleting ----------------------------------------------------------------

struct DeleteCase {
    const char* label;
    bool withKey;  // the Delete key rather than "Delete Selection"
    std::size_t rows;
    std::vector<std::size_t> selected;
    std::size_t focusedBefore;
    std::vector<std::string> remaining;
    std::vector<std::size_t> selectedAfter;
    std::size_t focusedAfter;
    std::vector<std::string> calls;
};

TEST(OutputListDelete, RemovesSelectedRowsReselectsAndNotifies) {
    const std::vector<std::string> deleted{"rowsDeleted"};
    const std::vector<std::string> emptied{"rowsDeleted", "listEmptied"};
    const DeleteCase cases[] = {
        {"key, rows 2 and 3 of 6", true, 6, {2, 3}, 5, {"r0", "r1", "r4", "r5"}, {2}, 2, deleted},
        {"key, scattered rows", true, 6, {0, 3, 4}, kNone, {"r1", "r2", "r5"}, {0}, 0, deleted},
        {"key, the last rows", true, 6, {4, 5}, 4, {"r0", "r1", "r2", "r3"}, {0}, 0, deleted},
        {"key, every row", true, 3, {0, 1, 2}, 1, {}, {}, kNone, emptied},
        {"key, nothing selected", true, 4, {}, 3, {"r0", "r1", "r2", "r3"}, {}, 3, {}},
        {"key, empty list", true, 0, {}, kNone, {}, {}, kNone, {}},
        {"menu, rows 1 and 3 of 5", false, 5, {1, 3}, 1, {"r0", "r2", "r4"}, {}, kNone, deleted},
        {"menu, every row", false, 2, {0, 1}, 0, {}, {}, kNone, emptied},
        {"menu, nothing selected", false, 3, {}, 1, {"r0", "r1", "r2"}, {}, 1, {}},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.label);
        ResultTable table = tableOf(c.rows, c.selected);
        table.setFocused(c.focusedBefore);
        RecordedEvents events;
        if (c.withKey) {
            deleteWithKey(table, events);
        } else {
            EXPECT_EQ(deleteSelection(table, events), !c.selected.empty());
        }
        EXPECT_EQ(tagsOf(table), c.remaining);
        EXPECT_EQ(selectedOf(table), c.selectedAfter);
        if (c.withKey || c.focusedAfter != kNone) {
            EXPECT_EQ(table.focusedRow(), c.focusedAfter);
        }
        EXPECT_EQ(events.calls, c.calls);
    }
}

TEST(OutputListDelete, TheFormHearsOfDeletedRowsAndAnEmptyList) {
    SelectionForm form;
    form.rows = tableOf(3, {0, 2});
    form.listEmpty = false;
    deleteWithKey(form.rows, form);
    EXPECT_TRUE(form.resultsChanged);
    EXPECT_FALSE(form.listEmpty);
    form.rows.setSelected(0, true);
    form.resultsChanged = false;
    deleteSelection(form.rows, form);
    EXPECT_TRUE(form.resultsChanged);
    EXPECT_TRUE(form.listEmpty);
}

// --- the duplicate test after the rows change ---------------------------------

dist nozzleRecord(const std::string& partNumber, double capacity, double totalDrop = 4.3) {
    dist d;
    d.type = "N";
    d.partNumber = partNumber;
    d.refrigerant = "R-22";
    d.capacity = capacity;
    d.suctionTemp = 40;
    d.liquidTemp = 100;
    d.tubeLength = 30;
    d.totalDrop = totalDrop;
    d.connection = "ODM";
    d.inletNumber = 3;
    d.outletNumber = 3;
    d.orificeNumber = 5;
    d.nozzleSize = "J";
    d.sidePort = "N";
    return d;
}

TEST(OutputListDelete, DuplicateTestFollowsDeletionsReorderingAndRewrittenCells) {
    ResultTable table;
    auto isDuplicate = [&table](const std::string& part, double capacity) {
        return table.isDuplicate(part, "R-22", capacity, 40, 100, 30, false);
    };
    table.append(makeResultRow(nozzleRecord("A", 2.5), false));
    table.append(makeResultRow(nozzleRecord("B", 2.5), false));
    table.append(makeResultRow(nozzleRecord("B", 2.5, 9.9), false));  // same six cells as the row before
    table.append(makeResultRow(nozzleRecord("C", 2.5), false));
    ASSERT_TRUE(isDuplicate("A", 2.5) && isDuplicate("B", 2.5) && isDuplicate("C", 2.5));

    RecordedEvents events;
    table.setSelected(0, true);
    table.setSelected(1, true);
    deleteSelection(table, events);
    EXPECT_FALSE(isDuplicate("A", 2.5));
    EXPECT_TRUE(isDuplicate("B", 2.5)) << "one B row is left";
    EXPECT_TRUE(isDuplicate("C", 2.5));

    table.setSelected(0, true);
    deleteWithKey(table, events);
    EXPECT_FALSE(isDuplicate("B", 2.5));
    ASSERT_EQ(table.size(), 1u);

    table.append(makeResultRow(nozzleRecord("A", 1.0), false));
    table.append(makeResultRow(nozzleRecord("D", 3.0), false));
    table.reorder({2, 0, 1});
    SortState sort;
    sortByColumn(table, sort, column::kPartNumber);
    for (const auto& [part, capacity] : {std::pair<const char*, double>{"A", 1.0}, {"C", 2.5}, {"D", 3.0}})
        EXPECT_TRUE(isDuplicate(part, capacity)) << part;

    const std::size_t c = 1;
    ASSERT_EQ(table.row(c)[column::kPartNumber], "C");
    table.setCell(c, column::kTotalDrop, "99.9");
    EXPECT_TRUE(isDuplicate("C", 2.5)) << "a cell outside the test changes nothing";
    table.setCell(c, column::kCapacity, " 9.99");
    EXPECT_FALSE(isDuplicate("C", 2.5));
    EXPECT_TRUE(isDuplicate("C", 9.99));
}

// --- clear results -----------------------------------------------------------

TEST(OutputListClear, AsksFirstAndClearsOnlyOnYes) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        const bool yes = answer == MessageAnswer::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        SelectionForm form;
        form.siUnits = false;
        form.addResultRow(nozzleRecord("A", 2.5));
        form.resultsChanged = false;
        test::RecordingUi ui;
        ui.answer = answer;
        form.clearResults(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Are you sure you want to delete all items in the output window?");
        EXPECT_EQ(ui.messages[0].caption, "QUESTION");
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(form.rows.size(), yes ? 0u : 1u);
        EXPECT_EQ(form.resultsChanged, yes);
        EXPECT_EQ(form.listEmpty, yes);
        EXPECT_EQ(form.isDuplicate("A", "R-22", 2.5, 40, 100, 30), !yes);
    }
}

// --- sorting -----------------------------------------------------------------

TEST(OutputListSort, SameHeadingReversesAnotherStartsAscending) {
    SelectionForm form;
    form.rows = columnTable(column::kCapacity, {" 2.50", "10.00", " 1.25"});
    const std::vector<std::string> ascending{" 1.25", " 2.50", "10.00"};
    const std::vector<std::string> descending{"10.00", " 2.50", " 1.25"};
    form.sortByColumn(column::kCapacity);
    EXPECT_EQ(columnOf(form.rows, column::kCapacity), ascending);
    form.sortByColumn(column::kCapacity);
    EXPECT_EQ(columnOf(form.rows, column::kCapacity), descending);
    form.sortByColumn(column::kCircuits);
    form.sortByColumn(column::kCapacity);
    EXPECT_EQ(columnOf(form.rows, column::kCapacity), ascending);
    EXPECT_FALSE(form.resultsChanged) << "sorting leaves the document flags alone";
}

struct SortCase {
    const char* label;
    int column;
    std::vector<std::string> texts;
    std::vector<std::string> ascending;
    bool ties;  // descending is then not simply the reverse
};

TEST(OutputListSort, EachColumnSortsByItsOwnRule) {
    const SortCase cases[] = {
        {"inlet sizes",
         column::kInletSize,
         {"7/8 ODM", "1-1/8 ODM", "5/8 FLARE"},
         {"5/8 FLARE", "7/8 ODM", "1-1/8 ODM"},
         false},
        {"equal sizes by text",
         column::kInletSize,
         {"7/8 ODM", "1-1/8 IDM", "7/8 FLARE", "5/8 ODM"},
         {"5/8 ODM", "7/8 FLARE", "7/8 ODM", "1-1/8 IDM"},
         false},
        {"tube sizes",
         column::kOutletSize,
         {"1/4 OD", "3/16 OD", "1/2 OD", "5/32 OD"},
         {"5/32 OD", "3/16 OD", "1/4 OD", "1/2 OD"},
         false},
        {"refrigerants",
         column::kRefrigerant,
         {"R-22", "R-134a", "R-12", "R-404A"},
         {"R-12", "R-22", "R-134a", "R-404A"},
         false},
        {"orifices by leading number",
         column::kOrifice,
         {"3/4", "1/6", "2.5", "1/4", "1", "-", "1.5", "1/3", "1/2"},
         {"-", "1/6", "1/4", "1", "1/3", "1/2", "1.5", "2.5", "3/4"},
         true},
        {"capacities as numbers", column::kCapacity, {"10.00", " 9.50", "100.00"}, {" 9.50", "10.00", "100.00"}, false},
        {"negative temperatures", column::kSuction, {" 5.0", "-20.0", "40.0"}, {"-20.0", " 5.0", "40.0"}, false},
        {"circuits", column::kCircuits, {"12", "8", "2"}, {"2", "8", "12"}, false},
        {"styles as text", column::kStyle, {"Venturi", "Nozzle"}, {"Nozzle", "Venturi"}, false},
        {"side ports as text",
         column::kSidePort,
         {"none", "Integral", "", "Auxiliary"},
         {"", "Auxiliary", "Integral", "none"},
         false},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.label);
        ResultTable table = columnTable(c.column, c.texts);
        SortState sort;
        sortByColumn(table, sort, c.column);
        EXPECT_EQ(columnOf(table, c.column), c.ascending);
        if (c.ties) continue;
        sortByColumn(table, sort, c.column);
        EXPECT_EQ(columnOf(table, c.column), std::vector<std::string>(c.ascending.rbegin(), c.ascending.rend()));
    }
}

TEST(OutputListSort, PartNumbersGroupNozzleRowsBeforeVenturiRows) {
    ResultTable table;
    const std::pair<const char*, const char*> rows[] = {
        {"Venturi", "5-4-8"}, {"Nozzle", "503-4-1/4-2.5"}, {"Venturi", "1-2-6"}, {"Nozzle", "1104-16-1/4-8"}};
    for (const auto& [style, part] : rows)
        table.append(taggedRow(part, {{column::kStyle, style}, {column::kPartNumber, part}}));
    SortState sort;
    sortByColumn(table, sort, column::kPartNumber);
    EXPECT_EQ(columnOf(table, column::kPartNumber),
              (std::vector<std::string>{"1104-16-1/4-8", "503-4-1/4-2.5", "1-2-6", "5-4-8"}));
    sortByColumn(table, sort, column::kPartNumber);
    EXPECT_EQ(columnOf(table, column::kPartNumber),
              (std::vector<std::string>{"5-4-8", "1-2-6", "503-4-1/4-2.5", "1104-16-1/4-8"}));
}

TEST(OutputListSort, TiesKeepTheirOrderInBothDirections) {
    // Enough rows that a sort which only looks stable on short lists fails.
    constexpr int kRows = 60;
    const char* const values[] = {" 1.00", " 2.00", " 3.00"};
    std::vector<std::string> texts;
    std::vector<std::string> groups[3];
    for (int i = 0; i < kRows; ++i) {
        const int value = (i * 7 + i / 5) % 3;
        texts.push_back(values[value]);
        groups[value].push_back("r" + std::to_string(i));
    }
    auto concat = [&groups](int first, int second, int third) {
        std::vector<std::string> tags = groups[first];
        tags.insert(tags.end(), groups[second].begin(), groups[second].end());
        tags.insert(tags.end(), groups[third].begin(), groups[third].end());
        return tags;
    };
    ResultTable table = columnTable(column::kCapacity, texts);
    SortState sort;
    sortByColumn(table, sort, column::kCapacity);
    EXPECT_EQ(tagsOf(table), concat(0, 1, 2));
    sortByColumn(table, sort, column::kCapacity);
    EXPECT_EQ(tagsOf(table), concat(2, 1, 0));
}

TEST(OutputListSort, EmptyAndSingleRowListsStayAsTheyAre) {
    ResultTable empty;
    SortState sort;
    sortByColumn(empty, sort, column::kCapacity);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(sort.SortColumn, column::kCapacity);

    ResultTable one = tableOf(1, {0});
    one.setFocused(0);
    const ResultRow before = one.row(0);
    for (int col = 0; col < kColumnCount; ++col) sortByColumn(one, sort, col);
    EXPECT_EQ(one.row(0), before);
    EXPECT_TRUE(one.state(0).selected);
    EXPECT_EQ(one.focusedRow(), 0u);
}

TEST(OutputListSort, SelectionAndFocusTravelWithTheirRows) {
    ResultTable table = columnTable(column::kCircuits, {"8", "4", "12", "2"});
    table.setSelected(0, true);
    table.setSelected(2, true);
    table.setFocused(2);
    SortState sort;
    sortByColumn(table, sort, column::kCircuits);
    ASSERT_EQ(tagsOf(table), (std::vector<std::string>{"r3", "r1", "r0", "r2"}));
    EXPECT_EQ(selectedOf(table), (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(table.focusedRow(), 3u);
    EXPECT_EQ(partNumberToCopy(table), "r2:1");
}

// --- text order ----------------------------------------------------------------

TEST(TextCompare, WordSortOrder) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"apple", "Banana", -1},                    // case does not count first
        {"nozzle", "Nozzle", -1},                   // ...but lower before upper when all else is equal
        {"co-op", "Coop", -1},                      // case decides before the hyphen does
        {"9", "a", -1},                             // digits before letters
        {"Z9", "Za", -1},         {"#1", "0", -1},  // punctuation before digits
        {"co-op", "coon", 1},                       // the hyphen is passed over at first
        {"it's", "itr", 1},       {"ab", "abc", -1}, {"Venturi", "Venturi", 0},
    };
    for (const auto& [a, b, expected] : cases) {
        EXPECT_EQ(compareText(a, b), expected) << a << " vs " << b;
        EXPECT_EQ(compareText(b, a), -expected) << b << " vs " << a;
    }
    // Texts that differ only in hyphens or apostrophes are still told apart.
    for (const auto& [a, b] : {std::pair<const char*, const char*>{"co-op", "coop"}, {"its", "it's"}}) {
        EXPECT_NE(compareText(a, b), 0) << a << " vs " << b;
        EXPECT_EQ(compareText(a, b), -compareText(b, a)) << a << " vs " << b;
    }
}

}  // namespace
}  // namespace vantrel
