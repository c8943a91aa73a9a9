// Result rows: the 19 text cells a rated record becomes in the output list,
// and the table of rows with its duplicate test. Once shown, results exist
// only as these texts; sorting, copying, saving and printing read them.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dist.h"

namespace vantrel {

inline constexpr int kColumnCount = 19;
/// Cells are read back through 39-character buffers: only this many characters count.
inline constexpr std::size_t kCellReadLength = 38;

/// Column indexes shared by everything that reads rows.
namespace column {
inline constexpr int kStyle = 0;
inline constexpr int kPartNumber = 1;
inline constexpr int kRefrigerant = 2;
inline constexpr int kCapacity = 3;
inline constexpr int kSuction = 4;
inline constexpr int kLiquid = 5;
inline constexpr int kLength = 6;
inline constexpr int kTotalDrop = 7;
inline constexpr int kTubeDrop = 8;
inline constexpr int kTubeLoad = 9;
inline constexpr int kNozzleDrop = 10;
inline constexpr int kNozzleLoad = 11;
inline constexpr int kInletSize = 12;
inline constexpr int kOutletSize = 13;
inline constexpr int kCircuits = 14;
inline constexpr int kOrifice = 15;
inline constexpr int kOrificeType = 16;
inline constexpr int kSidePort = 17;
inline constexpr int kSidePortSize = 18;
}  // namespace column

using ResultRow = std::array<std::string, kColumnCount>;

/// Heading of a column in the given units ("Tons" / "kW" and so on), in
/// English: the command line's tables and csv files carry it.
std::string columnHeading(int column, bool siUnits);
/// The same heading as the list and the printed pages show it, in the
/// user's language; valid for the rest of the run.
const char* shownColumnHeading(int column, bool siUnits);
/// Initial width of a column in pixels.
int columnWidth(int column);
/// The widest text column `column` is expected to hold, in either unit
/// system: with the heading, what the column must show whole.
const char* widestCellSample(int column);

/// The cells of `r` formatted in SI units (`siUnits`) or U.S. customary units.
ResultRow makeResultRow(const dist& r, bool siUnits);

/// Rows for many records at mostly the same conditions, as one Select's
/// finds are: the four condition cells are written once for each different
/// set of conditions and copied into the rows that share it. Each row is the
/// one makeResultRow makes.
class RowMaker {
public:
    explicit RowMaker(bool siUnits) : si_(siUnits) {}
    /// Writes the cells of `r` into `row`, whose cells are empty.
    void write(ResultRow& row, const dist& r);

private:
    bool si_;
    bool written_ = false;
    double conditions_[4] = {};  ///< the U.S. values cells_ were written for
    std::array<std::string, 4> cells_;
};

/// The four condition cells (capacity, suction, liquid, length) as the row
/// writer formats them, from U.S. customary values.
std::array<std::string, 4> conditionCells(double capacity, double suctionTemp, double liquidTemp, double tubeLength,
                                          bool siUnits);

/// Selection marks of one row of the output list.
struct RowState {
    bool selected = false;
    bool focused = false;  ///< the row with the focus rectangle (at most one)
};

/// A multiset of texts: how many times each was added and not yet removed.
/// The duplicate index's store; the texts live side by side in one block and
/// the table holds only their places, so making it afresh for a whole list
/// costs no allocation per text.
class TextCounts {
public:
    void add(std::string_view text);
    /// Forgets one addition of `text` (nothing when it is not there).
    void remove(std::string_view text);
    bool contains(std::string_view text) const;
    /// Removes every text and gives back the memory.
    void clear() { *this = TextCounts(); }
    /// Removes every text and keeps the room: a list emptied for each duty
    /// of a schedule fills it again at once.
    void removeAll();
    /// Makes room for `texts` distinct texts without growing again.
    void reserve(std::size_t texts);

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t offset = kEmpty;  ///< of the text in texts_; kEmpty: the slot was never taken
        std::uint32_t length = 0;
        std::uint32_t count = 0;  ///< 0 once every addition was removed; the slot stays taken for the probes
    };
    static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);
    std::size_t find(std::string_view text, std::uint64_t hash) const;
    void place(std::string_view text, std::uint64_t hash, std::uint32_t count);
    void rehash(std::size_t slots);
    std::vector<Slot> slots_;  ///< a power of two of them, at most half taken
    std::string texts_;
    std::size_t taken_ = 0;
};

/// The rows of the output list in display order with their selection marks,
/// and an index on the six cells of the duplicate test so that the test does
/// not walk the list. The list window only shows this table.
class ResultTable {
public:
    const std::vector<ResultRow>& rows() const { return rows_; }
    const ResultRow& row(std::size_t index) const { return rows_[index]; }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    /// Appends a row at the end, neither selected nor focused.
    void append(ResultRow row);
    /// Makes room for `more` rows after those there, in one step, growing
    /// at least as appending row by row would: a Select's finds go in
    /// without the rows moving at every doubling, and a long list that
    /// grows by many Selects does not move at each.
    void reserveMore(std::size_t more);
    /// Removes every row.
    void clear();
    /// Removes the rows whose marks are set as selected; returns how many.
    std::size_t removeSelected();
    /// Puts the rows in the order `order` gives (a permutation of the
    /// indexes: row i becomes the row that was at order[i]).
    void reorder(const std::vector<std::size_t>& order);
    /// Rewrites cell `column` of row `index` (the duplicate index follows).
    void setCell(std::size_t index, int column, std::string text);
    /// Lets `rewrite` change any cells of every row (`rewrite(ResultRow&)`),
    /// then puts the duplicate index right once for all of them.
    template <typename Rewrite>
    void rewriteRows(Rewrite&& rewrite) {
        for (ResultRow& row : rows_) rewrite(row);
        rebuildIndex();
    }

    const RowState& state(std::size_t index) const { return states_[index]; }
    void setSelected(std::size_t index, bool selected) { states_[index].selected = selected; }
    /// Moves the focus mark to `index` (or clears it with npos).
    void setFocused(std::size_t index);
    /// The focused row, or npos.
    std::size_t focusedRow() const;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    /// True when a row holds this part number and refrigerant and the
    /// conditions (U.S. customary values) formatted in the units the rows
    /// are written in (`siCells`).
    bool isDuplicate(const std::string& partNumber, const std::string& refrigerant, double capacity, double suctionTemp,
                     double liquidTemp, double tubeLength, bool siCells) const;

    /// Appends to `key` what the duplicate test compares of a row showing
    /// this part number and refrigerant at these conditions (U.S. customary
    /// values) in SI (`siCells`) or U.S. units: two such keys are equal
    /// exactly when the rows' six cells would read the same. Made from the
    /// numbers, without writing the row, so that a distributor already listed
    /// costs no row.
    static void appendDuplicateKey(std::string& key, const std::string& partNumber, const std::string& refrigerant,
                                   double capacity, double suctionTemp, double liquidTemp, double tubeLength,
                                   bool siCells);
    /// True when a row has the duplicate key `key` (see appendDuplicateKey).
    bool containsKey(std::string_view key) const;
    /// Appends a row that `write(ResultRow&)` writes in place, into empty
    /// cells, and whose key appendDuplicateKey has given already: a row of
    /// 19 texts is not moved on its way in.
    template <typename Write>
    void appendWritten(std::string_view key, Write&& write) {
        write(rows_.emplace_back());
        keys_.add(key);
        states_.emplace_back();
        assert(key == keyOf(rows_.back()));
    }

private:
    static void appendKey(std::string& key, const ResultRow& row);
    static std::string keyOf(const ResultRow& row);
    void forget(const ResultRow& row);
    void rebuildIndex();
    std::vector<ResultRow> rows_;
    std::vector<RowState> states_;
    TextCounts keys_;
};

}  // namespace vantrel
