#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <memory>
#include <random>

#include "catalog/catalog_file.h"
#include "catalog/fraction.h"
#include "engine/result_line.h"
#include "engine/size_tables.h"
#include "catalog/vantrel_data.h"
#include "test_support.h"

namespace vantrel {
namespace {

TEST(Fraction, AcceptedForms) {
    const std::pair<const char*, double> cases[] = {
        {"1-1/8", 1.125},  {"1 1/8", 1.125}, {"3/16", 0.1875},  {"2.5", 2.5},       {"12", 12},
        {"1-1/8 ", 1.125}, {" 1/4", 0.25},   {"1 -1/8", 1.125}, {"1/6", 1.0 / 6.0}, {"1 1/2", 1.5},
    };
    for (const auto& [text, expected] : cases) {
        double value = -1;
        EXPECT_EQ(parseFraction(text, value), fraction::kOk) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(Fraction, RefusedFormsLeaveTheOutput) {
    const std::pair<const char*, int> cases[] = {
        {"1.2.5", 2}, {"1/2/3", 1}, {"a", 1},   {"1-2", 1}, {"1 2 3", 1}, {"", 1},     {"   ", 1},
        {"1-", 1},    {"3/", 1},    {"1/0", 1}, {"0/0", 1}, {"-1/4", 1},  {"1/4x", 1}, {"1-1-1/8", 1},
    };
    for (const auto& [text, expected] : cases) {
        double value = -1;
        EXPECT_EQ(parseFraction(text, value), expected) << '"' << text << '"';
        EXPECT_EQ(value, -1) << text;
    }
}

TEST(SizeTables, ForwardAndReverseLookups) {
    double size = -1;
    std::string text = "unchanged";
    EXPECT_EQ(getInletNumber(1.0), code::kBadInletSize);
    EXPECT_EQ(getInletNumber(1.375), 6);
    EXPECT_EQ(getInletNumber(15 * 0.125), 8);
    EXPECT_EQ(getOutletNumber(0.15625), 1);
    EXPECT_EQ(getOutletNumber(0.2), code::kBadOutletSize);
    EXPECT_EQ(getOrificeNumber(2.5), 9);
    EXPECT_EQ(getOrificeNumber(1.0 / 6.0), 1);
    EXPECT_EQ(getOrificeNumber(2.7), code::kBadOrificeSize);
    EXPECT_EQ(sgetOrificeSize(9, text), 0);
    EXPECT_EQ(text, "2.5");

    EXPECT_EQ(getInletSize(0, size), code::kBadInletNumber);
    EXPECT_EQ(size, 0.0);
    EXPECT_EQ(sgetInletSize(9, text), code::kBadInletNumber);
    EXPECT_EQ(text, "none");
    EXPECT_EQ(getOutletSize(7, size), code::kBadOutletNumber);
    EXPECT_EQ(sgetOutletSize(0, text), code::kBadOutletNumberText);
    EXPECT_EQ(text, "0");
    size = -1;
    text = "kept";
    EXPECT_EQ(getOrificeSize(25, size), code::kBadOrificeNumber);
    EXPECT_EQ(size, -1);
    EXPECT_EQ(sgetOrificeSize(0, text), code::kBadOrificeNumberText);
    EXPECT_EQ(text, "kept");

    // Every table text parses back to its own table value.
    for (int n = 1; n <= kOutletCount; ++n) {
        double parsed = 0;
        ASSERT_EQ(parseFraction(outletText(n), parsed), 0);
        EXPECT_EQ(getOutletNumber(parsed), n);
    }
    for (int n = 1; n <= kOrificeCount; ++n) {
        double parsed = 0;
        ASSERT_EQ(parseFraction(orificeText(n), parsed), 0);
        EXPECT_EQ(getOrificeNumber(parsed), n);
    }
}

TEST(SizeTables, OrificeRanges) {
    int first = -1, last = -1;
    EXPECT_EQ(getOrificeRange("G", first, last), 0);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 18);
    EXPECT_EQ(getOrificeRange("A", first, last), 0);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(last, 24);
    first = last = -1;
    for (const char* letter : {"Q", "", "GG", "g"}) {
        EXPECT_EQ(getOrificeRange(letter, first, last), code::kUnknownBody) << letter;
        EXPECT_EQ(first, -1);
    }
}

TEST(VenturiRow, PartNumberCarriesTheSizes) {
    VantrelData data;
    dist d;
    ASSERT_TRUE(data.parseVenturiRow("F5-4-12,body", d));
    EXPECT_EQ(d.partNumber, "F5-4-12");
    EXPECT_EQ(d.connection, "FLARE");
    EXPECT_EQ(d.type, "V");
    EXPECT_EQ(d.model, "NULL");
    EXPECT_EQ(d.sidePort, "NULL");
    EXPECT_EQ(d.inletNumber, 3);
    EXPECT_EQ(d.outletNumber, 3);
    EXPECT_EQ(d.circuits, 12);
    EXPECT_EQ(d.orificeNumber, 0);

    ASSERT_TRUE(data.parseVenturiRow("8-3-12,", d));
    EXPECT_EQ(d.connection, "ODM");
    EXPECT_EQ(d.inletNumber, code::kBadInletSize);  // one inch is not an inlet size
    ASSERT_TRUE(data.parseVenturiRow("S5-2.5-6,", d));
    EXPECT_EQ(d.connection, "IDM");
    EXPECT_EQ(d.outletSize, 0.15625);
    EXPECT_EQ(d.outletNumber, 1);
    ASSERT_TRUE(data.parseVenturiRow("7-4-1234,", d));
    EXPECT_EQ(d.circuits, 123);  // at most three characters
    ASSERT_TRUE(data.parseVenturiRow("5-4--3,", d));
    EXPECT_EQ(d.circuits, -3);
}

TEST(VenturiRow, MalformedRowsAreDropped) {
    VantrelData data;
    dist d;
    for (const char* line : {"5-4,", "54,", ",5-4-6", "5-4,x-y"}) EXPECT_FALSE(data.parseVenturiRow(line, d)) << line;
    EXPECT_FALSE(data.parseVenturiRow(std::string(400, '9') + "-4-6,", d));
    // A missing number reads as 0, which is no table size: parsed, but matches no filter.
    ASSERT_TRUE(data.parseVenturiRow("F-4-6x,", d));
    EXPECT_EQ(d.inletNumber, code::kBadInletSize);
}

TEST(NozzleRow, ModelCarriesConnectionAndInlet) {
    VantrelData data;
    dist d;
    int low = 0, high = 0;
    struct Case {
        const char* line;
        const char* connection;
        int inlet;
    } cases[] = {
        {"F405,QX4,2-6,3/16,P,I,", "FLARE", 2},
        {"1104,QX11,14-30,1/4,E,A,note", "ODM", 6},
        {"503,QX5,2-12,1/4,J,N,", "ODM", 3},
        {"S703,QX7,4-16,1/4,G,N,", "IDM", 4},
        {"12,QX12,2-4,1/4,G,N,", "ODM", code::kBadInletSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(data.parseNozzleRow(c.line, d, low, high));
        EXPECT_EQ(d.type, "N");
        EXPECT_EQ(d.connection, c.connection);
        EXPECT_EQ(d.inletNumber, c.inlet);
    }
    ASSERT_TRUE(data.parseNozzleRow("1104,QX11,14-30,5/16,E,A,", d, low, high));
    EXPECT_EQ(low, 14);
    EXPECT_EQ(high, 30);
    EXPECT_EQ(d.xrefModel, "QX11");
    EXPECT_EQ(d.outletNumber, 4);
    EXPECT_EQ(d.nozzleSize, "E");
    EXPECT_EQ(d.sidePort, "A");
    EXPECT_EQ(d.sideConnection, "1/2, 5/8, or 7/8 ODF");
}

TEST(NozzleRow, MalformedRowsAreDropped) {
    VantrelData data;
    dist d;
    int low = 0, high = 0;
    for (const char* line : {"503,QX5,2-12,1/4,J,N", "503,QX5,212,1/4,J,N,", "503,QX5,2-12,a/4,J,N,",
                             "503,QX5,2-12,,J,N,", "503,QX5,2-12,1/0,J,N,", ""}) {
        EXPECT_FALSE(data.parseNozzleRow(line, d, low, high)) << line;
    }
}

TEST(ResultLineReader, RoundTripsAndDerivesSizes) {
    dist d;
    ASSERT_TRUE(parseResultLine(
        "1104-12-1/4-2.5,1104,QX11,y,N,ODM,A,E, 6, 3,12, 9,R-22,12.50,40.0,100.0,30.000,30.48,18.56,11.92, 0.85, 1.10",
        d));
    EXPECT_EQ(d.isXref, 0);  // only an upper-case Y sets the flag
    EXPECT_EQ(d.inletNumber, 6);
    EXPECT_EQ(d.inletSize, 1.375);
    EXPECT_EQ(d.outletSize, 0.25);
    EXPECT_EQ(d.orificeSize, 2.5);
    EXPECT_EQ(d.circuits, 12);
    EXPECT_EQ(d.capacity, 12.5);
    EXPECT_EQ(d.tubeLoad, 1.10);
    EXPECT_EQ(d.sideConnection, "1/2, 5/8, or 7/8 ODF");

    dist rated;
    rated.partNumber = "5-4-4";
    rated.model = rated.xrefModel = rated.sidePort = rated.nozzleSize = "NULL";
    rated.type = "V";
    rated.connection = "ODM";
    rated.inletNumber = 3;
    rated.outletNumber = 3;
    rated.circuits = 4;
    rated.outletSize = 0.25;
    ASSERT_EQ(rated.rate("R-22", 0, 40, 100, 36), 0);
    dist back;
    ASSERT_TRUE(parseResultLine(rated.makeResultLine(), back));
    EXPECT_EQ(back.makeResultLine(), rated.makeResultLine());
    EXPECT_EQ(back.orificeSize, 0.0);

    EXPECT_FALSE(parseResultLine("a,b,c", d));
}

// A record with texts, numbers and flags drawn to stress the result line:
// texts now and then holding a comma, integers at their extremes, numbers on
// rounding ties, huge, tiny, negative zero, infinite or not a number.
dist randomRecord(std::mt19937_64& random) {
    auto text = [&random](bool comma) {
        static const char alphabet[] = "ABFNPSVY-/ 0123456789.";
        std::string t(random() % 9, ' ');
        for (char& c : t) c = alphabet[random() % (sizeof alphabet - 1)];
        if (comma) t.insert(random() % (t.size() + 1), ",");
        return t;
    };
    const int commaField = random() % 10 == 0 ? static_cast<int>(random() % 8) : -1;
    dist d;
    std::string* const texts[] = {&d.partNumber, &d.model,    &d.xrefModel,  &d.type,
                                  &d.connection, &d.sidePort, &d.nozzleSize, &d.refrigerant};
    for (int i = 0; i < 8; ++i) *texts[i] = text(i == commaField);
    if (random() % 3 == 0) d.model = random() % 2 ? "1104" : "F503";
    if (random() % 3 == 0) d.type = "N";
    d.sideConnection = text(false);
    d.isXref = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : 0);
    auto integer = [&random] {
        const int extremes[] = {INT_MIN, INT_MAX, -1, 0, 117, 999999999, 1000000000};
        return random() % 4 == 0 ? extremes[random() % 7] : static_cast<int>(random() % 40) - 5;
    };
    d.inletNumber = integer();
    d.outletNumber = integer();
    d.circuits = integer();
    d.orificeNumber = integer();
    std::uniform_real_distribution<double> wide(-3000, 3000);
    auto number = [&random, &wide] {
        const double odd[] = {0.0,   -0.0,    -0.004,   1.2549,   2.675,     0.125, 1e13,
                              1e300, DBL_MAX, 4.9e-324, INFINITY, -INFINITY, NAN};
        switch (random() % 4) {
            case 0: return odd[random() % (sizeof odd / sizeof odd[0])];
            case 1: return std::round(wide(random) * 1000) / 1000 + 0.0005;
            default: return wide(random) / static_cast<double>(1 + random() % 1000);
        }
    };
    for (double* field : {&d.capacity, &d.suctionTemp, &d.liquidTemp, &d.tubeLength, &d.totalDrop, &d.nozzleDrop,
                          &d.tubeDrop, &d.nozzleLoad, &d.tubeLoad, &d.orificeSize, &d.inletSize, &d.outletSize})
        *field = number();
    return d;
}

TEST(ResultLineReader, RoundingARecordEqualsWritingAndReadingItsLine) {
    std::mt19937_64 random(5);
    for (int i = 0; i < 30000; ++i) {
        const dist record = randomRecord(random);
        dist expected;
        ASSERT_TRUE(parseResultLine(record.makeResultLine(), expected));
        dist rounded = record;
        roundAsResultLine(rounded);
        ASSERT_EQ(test::firstDifference(rounded, expected), "") << record.makeResultLine();
    }
}

TEST(CatalogFile, ReadingStopsAtTheFirstLineWithoutAComma) {
    std::vector<std::string> rows;
    forEachCatalogRow("a,1\r\nb,2\n\nc,3\n", [&](std::string_view line) {
        rows.emplace_back(line);
        return true;
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"a,1", "b,2"}));
    rows.clear();
    forEachCatalogRow("x,1\ny,2", [&](std::string_view line) {
        rows.emplace_back(line);
        return true;
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"x,1", "y,2"}));
}

// The first `wanted` positions of `c` in `line`, one byte at a time.
std::vector<std::size_t> positionsOf(std::string_view line, char c, std::size_t wanted) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < line.size() && at.size() < wanted; ++i) {
        if (line[i] == c) at.push_back(i);
    }
    return at;
}

TEST(CatalogFile, RowsWithTheirCommasAreTheRowsOfTheLineReader) {
    std::mt19937_64 random(9);
    static const char alphabet[] = "ab,,-\r\n";
    for (int i = 0; i < 20000; ++i) {
        // Exactly as long as the text, so that a read past its end is a fault
        // under the address sanitizer. Mostly comma-rich short lines; some
        // long ones and some without a comma.
        const std::size_t size = random() % 90;
        const std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
        for (std::size_t k = 0; k < size; ++k) buffer[k] = alphabet[random() % (sizeof alphabet - 1)];
        if (random() % 4 == 0) std::fill_n(buffer.get(), std::min<std::size_t>(size, 40), 'x');
        const std::string_view content(buffer.get(), size);

        std::vector<std::string_view> expected;
        forEachCatalogRow(content, [&](std::string_view line) {
            expected.push_back(line);
            return true;
        });
        std::vector<std::string_view> rows;
        forEachCatalogRowWithCommas<3>(content, [&](std::string_view line, const RowCommas<3>& commas) {
            rows.push_back(line);
            EXPECT_EQ(std::vector<std::size_t>(commas.at, commas.at + commas.count), positionsOf(line, ',', 3))
                << '"' << line << '"';
            return true;
        });
        ASSERT_EQ(rows, expected) << '"' << content << '"';
        // Each way of finding bytes, up to the very end of the text.
        for (std::size_t start = 0; start <= size; start += 1 + random() % 7) {
            const std::string_view line = content.substr(start);
            std::size_t at[4];
            const auto expectedDashes = positionsOf(line, '-', 4);
            const int count = detail::findBytesByWords(line, '-', content.data() + size, at);
            ASSERT_EQ(std::vector<std::size_t>(at, at + count), expectedDashes) << '"' << line << '"';
#ifdef VANTREL_CATALOG_SSE2
            const int sse2 = detail::findBytesSse2(line, '-', content.data() + size, at);
            ASSERT_EQ(std::vector<std::size_t>(at, at + sse2), expectedDashes) << '"' << line << '"';
#endif
        }
    }
}

TEST(CatalogLocation, BareNameThenRootDir) {
    test::TempDir root;
    root.write("vflo.csv", "5-4-4,\n");
    VantrelData data;
    // The tests run where no catalog lies, so only the root folder can supply one.
    const MissingCatalogs missing = locateCatalogFiles(data, root.path());
    EXPECT_FALSE(missing.venturi);
    EXPECT_TRUE(missing.nozzle);
    EXPECT_EQ(data.venturiFile, test::pathIn(root.path(), "vflo.csv"));
    EXPECT_EQ(data.nozzleFile, "nflo.csv");
    VantrelData none;
    const MissingCatalogs both = locateCatalogFiles(none, "");
    EXPECT_TRUE(both.venturi && both.nozzle);
}

}  // namespace
}  // namespace vantrel
