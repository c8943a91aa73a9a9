#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "form/form_lists.h"
#include "form/selection_form.h"
#include "schedule/csv_records.h"
#include "schedule/schedule.h"
#include "schedule/schedule_run.h"
#include "test_support.h"

namespace vantrel {
namespace {

const std::string kSchedules = std::string(VANTREL_TEST_DATA_DIR) + "/schedules/";
constexpr const char* kNoDuties = "The schedule holds no duties.";
constexpr const char* kRequiredHeader = "tag,refrigerant,capacity,circuits,suction,liquid,length\n";

ScheduleRead readData(const std::string& name, bool si = false) { return readScheduleFile(kSchedules + name, si); }

std::vector<int> dutyLines(const Schedule& schedule) {
    std::vector<int> lines;
    for (const ScheduleDuty& duty : schedule.duties) lines.push_back(duty.line);
    return lines;
}

std::vector<std::string> messages(const Schedule& schedule) {
    std::vector<std::string> texts;
    for (const ScheduleLineError& error : schedule.errors) texts.push_back(error.message);
    return texts;
}

// A duty's numbers and refrigerant, and its choices as the form's lists show
// them, each in one text for short comparisons.
std::string conditions(const FormInputs& in) {
    return in.refrigerant + "|" + in.capacity + "|" + in.circuits + "|" + in.suctionTemp + "|" + in.liquidTemp + "|" +
           in.tubeLength;
}

std::string choices(const FormInputs& in) {
    const int port = lists::positionOf(in.sidePort);
    return lists::distributorTypes()[lists::positionOf(in.distributorType)] + "|" +
           lists::inletConnections()[lists::positionOf(in.inletConnection)] + "|" + lists::inletSizes()[in.inletSize] +
           "|" + lists::tubeSizes()[in.tubeSize] + "|" + lists::nozzleSizes()[in.nozzleSize] + "|" +
           lists::orificeTypes()[lists::positionOf(in.orificeType)] + "|" +
           (port < 0 ? std::string("any") : lists::sidePorts()[port]);
}

constexpr const char* kDefaultChoices = "Either|Any kind|Select|Select|Select|Select|none";

// ---- files that read ----------------------------------------------------------

TEST(ScheduleFile, ReadsEveryColumnThroughQuotesBomAndCrLf) {
    const ScheduleRead read = readData("all-columns-bom-crlf.csv");
    ASSERT_EQ(read.error, "");
    const Schedule& schedule = read.schedule;
    EXPECT_TRUE(schedule.errors.empty());
    EXPECT_EQ(schedule.lines, 5u);
    // The third duty's tag spans lines 4 and 5, so the next one starts on line 6.
    ASSERT_EQ(dutyLines(schedule), (std::vector<int>{2, 3, 4, 6, 7}));

    const std::string tags[] = {"MT-01 meat case, 12 ft", "MT-02 dairy \"B\" line-up",
                                "LT-01 frozen food\nend of aisle 4", "WIC-01 walk-in cooler", "LT-03, rated"};
    const std::string expectedConditions[] = {"R-404A|1.2|6|20|90|24", "R-507|1.8|8|25|90|30", "R-22|0.9|4|-20|85|18",
                                              "R-134a|2.5||25|100|36", "R-404A|0.9|4|-20|85|18"};
    const std::string expectedChoices[] = {kDefaultChoices, "Nozzle|Flare|5/8|1/4|2-1/2|Replaceable|Integral",
                                           "Venturi|Solder (IDM)|1-1/8|3/16|Select|Permanent|Auxiliary",
                                           "Either|Solder (ODM)|Select|5/16|1/6|Select|any", kDefaultChoices};
    for (std::size_t i = 0; i < schedule.duties.size(); ++i) {
        const ScheduleDuty& duty = schedule.duties[i];
        EXPECT_EQ(duty.tag, tags[i]);
        EXPECT_EQ(conditions(duty.inputs), expectedConditions[i]) << duty.tag;
        EXPECT_EQ(choices(duty.inputs), expectedChoices[i]) << duty.tag;
        EXPECT_EQ(duty.rate, i == 4) << duty.tag;
    }
    EXPECT_EQ(schedule.duties[4].inputs.partNumber, "402-4-3/16-2");
}

TEST(ScheduleFile, TakesColumnsInAnyOrderAndCaseAndSkipsBlankRows) {
    const ScheduleRead read = readData("required-reordered.csv");
    ASSERT_EQ(read.error, "");
    EXPECT_TRUE(read.schedule.errors.empty());
    EXPECT_EQ(read.schedule.lines, 3u);
    ASSERT_EQ(dutyLines(read.schedule), (std::vector<int>{2, 5, 7}));

    // Blanks around a value are dropped; the refrigerant takes the engine's spelling.
    const ScheduleDuty& dock = read.schedule.duties[1];
    EXPECT_EQ(dock.tag, "DK-01 dock cooler");
    EXPECT_EQ(conditions(dock.inputs), "R-407C|3||25|100|30");
    EXPECT_EQ(choices(dock.inputs), kDefaultChoices);
    EXPECT_FALSE(dock.rate);
    EXPECT_EQ(read.schedule.duties[2].tag, "");
}

// The shipped example and the SI test file run through the form's own Select
// and Rate against the shipped catalog: every duty must give rows, so the
// example stays usable when the catalog changes.
TEST(ScheduleFile, ExampleAndSiDutiesSelectAndRateWithTheShippedCatalog) {
    const std::pair<std::string, bool> files[] = {
        {std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv", false},
        {kSchedules + "si-units.csv", true}};
    for (const auto& [path, si] : files) {
        SCOPED_TRACE(path);
        const ScheduleRead read = readScheduleFile(path, si);
        ASSERT_EQ(read.error, "");
        EXPECT_TRUE(read.schedule.errors.empty());
        ASSERT_FALSE(read.schedule.duties.empty());
        bool rated = false;
        for (ScheduleDuty duty : read.schedule.duties) {
            SCOPED_TRACE(duty.tag);
            SelectionForm form;
            form.siUnits = si;
            form.catalog.setVenturiFile(test::shippedCatalog("vflo.csv"));
            form.catalog.setNozzleFile(test::shippedCatalog("nflo.csv"));
            test::RecordingUi ui;
            const ActionReport report = duty.rate ? form.rate(duty.inputs, ui) : form.select(duty.inputs, ui);
            EXPECT_EQ(report.outcome, ActionOutcome::Appended);
            EXPECT_GT(report.appended, 0);
            EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
            rated = rated || duty.rate;
        }
        if (!si) {
            EXPECT_TRUE(rated) << "the example shows a rated line";
        }
    }
}

// ---- faults of the whole file -------------------------------------------------

TEST(ScheduleFile, RefusesFilesWithOneMessageAndNoDuties) {
    const std::pair<std::string, std::string> cases[] = {
        {"missing-columns.csv", "The schedule lacks the columns: suction, length."},
        {"unknown-column.csv", "The schedule has an unknown column: colour."},
        {"duplicated-column.csv", "The schedule repeats the column: capacity."},
        {"empty.csv", kNoDuties},
        {"header-only.csv", kNoDuties},
        {"binary.csv", "The schedule is not a text file: line 3 holds a NUL byte."},
        {"latin1.csv",
         "The schedule is not a UTF-8 text file: line 3 holds bytes that are not UTF-8. Save it as CSV UTF-8."},
        {"utf16.csv", "The schedule is not a UTF-8 text file: it is UTF-16 text. Save it as CSV UTF-8."},
        {"absent.csv", "Cannot read " + kSchedules + "absent.csv: No such file or directory."},
        {"", "Cannot read " + kSchedules + ": it is not a regular file."},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        const ScheduleRead read = readData(name);
        EXPECT_EQ(read.error, message);
        EXPECT_TRUE(read.schedule.duties.empty());
        EXPECT_TRUE(read.schedule.errors.empty());
        EXPECT_EQ(read.schedule.lines, 0u);
    }
}

TEST(ScheduleText, HeaderFaultsNameEveryCause) {
    const std::pair<std::string, std::string> cases[] = {
        // A misspelt name is both missing and unknown.
        {"tag,refrigerant,capacity,circuits,sucton,liquid,length\nMT-01,R-22,1,4,40,100,30\n",
         "The schedule lacks the column: suction. The schedule has an unknown column: sucton."},
        {"Tag,Refrigerant,Colour,Size,capacity\n",
         "The schedule lacks the columns: circuits, suction, liquid, length. "
         "The schedule has unknown columns: Colour, Size."},
        {"tag,TAG,refrigerant,capacity,circuits,suction,liquid,length,Length, tag \n",
         "The schedule repeats the columns: tag, length."},
        {"tag,refrigerant,capacity,circuits,suction,liquid,length,,\nMT-01,R-22,1,4,40,100,30,,\n",
         "The schedule has columns without names: columns 8, 9."},
        {"tag,refrigerant,capacity,circuits,suction,liquid,length, \n",
         "The schedule has a column without a name: column 8."},
        {"\"tag,refrigerant,capacity,circuits,suction,liquid,length\nMT-01,R-22,1,4,40,100,30\n",
         "The schedule's header has a quoted name that is not closed."},
        {"\"tag\"x,refrigerant,capacity,circuits,suction,liquid,length\n",
         "The schedule's header has text after the closing quote of a name."},
        {std::string(kRequiredHeader, std::strlen(kRequiredHeader) - 1) +
             ",c1,c2,c3,c4,c5,c6,c7,c8,c9,c10,c11,c12,C1\n",
         "The schedule has unknown columns: c1, c2, c3, c4, c5, c6, c7, c8, c9, c10 and 2 more."},
        {std::string(70, ',') + "\n", "The schedule's header has 71 columns; a schedule has at most 15."},
        {"\xEF\xBB\xBF", kNoDuties},
        {"\n\r\n\n", kNoDuties},
        {std::string(kRequiredHeader) + ",,,,,,\n\n , ,,,,,\n", kNoDuties},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        const ScheduleRead read = readScheduleText(text, false);
        EXPECT_EQ(read.error, message);
        EXPECT_TRUE(read.schedule.duties.empty());
        EXPECT_TRUE(read.schedule.errors.empty());
    }
}

TEST(ScheduleText, AcceptsOnlyWellFormedUtf8) {
    const std::string refused[] = {
        "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",
        "\x80",     "\xE2\x82",     "\xC3"};
    for (const std::string& bytes : refused) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        const ScheduleRead read = readScheduleText(kRequiredHeader + ("MT-01 " + bytes) + ",R-22,1,4,40,100,30", false);
        EXPECT_EQ(
            read.error,
            "The schedule is not a UTF-8 text file: line 2 holds bytes that are not UTF-8. Save it as CSV UTF-8.");
    }
    const std::string tag = "MT-01 \xC2\xB0 \xE2\x82\xAC \xF0\x9D\x84\x9E \xEF\xBF\xBD";  // 2, 3 and 4 bytes
    const ScheduleRead read = readScheduleText(kRequiredHeader + tag + ",R-22,1,4,40,100,30", false);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.schedule.duties.size(), 1u);
    EXPECT_EQ(read.schedule.duties[0].tag, tag);
}

// ---- faults of single lines -----------------------------------------------------

TEST(ScheduleLines, WrongFieldCountsSpoilOnlyTheirLines) {
    const ScheduleRead read = readData("field-counts.csv");
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.schedule.lines, 6u);
    EXPECT_EQ(dutyLines(read.schedule), (std::vector<int>{2, 5}));
    EXPECT_EQ(read.schedule.duties[1].tag, "MT-04 deli, \"cold\"");
    EXPECT_EQ(messages(read.schedule), (std::vector<std::string>{
                                           "Line 3 (MT-02 dairy case): 6 fields, but the header has 7 columns.",
                                           "Line 4 (MT-03 produce): 8 fields, but the header has 7 columns.",
                                           "Line 6 (MT-05): 1 field, but the header has 7 columns.",
                                           "Line 7 (MT-06 floral): 8 fields, but the header has 7 columns.",
                                       }));
    const ScheduleLineError& error = read.schedule.errors[0];
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.tag, "MT-02 dairy case");
    EXPECT_EQ(error.fault, "6 fields, but the header has 7 columns.");

    // Callers report duties and faults as they come in the file.
    std::vector<std::pair<char, int>> order;
    visitInLineOrder(
        read.schedule, [&](const ScheduleDuty& duty) { order.emplace_back('d', duty.line); },
        [&](const ScheduleLineError& fault) { order.emplace_back('e', fault.line); });
    EXPECT_EQ(order, (std::vector<std::pair<char, int>>{{'d', 2}, {'e', 3}, {'e', 4}, {'d', 5}, {'e', 6}, {'e', 7}}));
}

TEST(ScheduleLines, CountsEveryFieldOfAVeryLongLine) {
    const ScheduleRead read =
        readScheduleText(std::string(kRequiredHeader) + "MT-07" + std::string(2001, ',') + "\n", false);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(messages(read.schedule),
              (std::vector<std::string>{"Line 2 (MT-07): 2002 fields, but the header has 7 columns."}));
}

TEST(ScheduleLines, UnclosedQuoteEndsTheFileOnItsLine) {
    const ScheduleRead read = readData("unclosed-quote.csv");
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.schedule.lines, 2u);
    EXPECT_EQ(dutyLines(read.schedule), (std::vector<int>{2}));
    EXPECT_EQ(messages(read.schedule),
              (std::vector<std::string>{
                  "Line 3 (MT-02 dairy case): a quoted field is not closed before the end of the file."}));
}

TEST(ScheduleLines, UnknownWordsAreEachReported) {
    const ScheduleRead read = readData("bad-words.csv");
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.schedule.lines, 6u);
    ASSERT_EQ(dutyLines(read.schedule), (std::vector<int>{7}));
    EXPECT_EQ(
        messages(read.schedule),
        (std::vector<std::string>{
            "Line 2 (MT-01 meat case): unknown type value \"nozle\"; expected either, nozzle or venturi.",
            "Line 3 (MT-02 dairy case): unknown tube value \"select\"; expected 5/32, 3/16, 1/4, 5/16, 3/8 or 1/2.",
            "Line 4: unknown inlet_style value \"solder\"; expected any, odm, flare or idm.",
            "Line 4: unknown inlet value \"1\"; expected 3/8, 1/2, 5/8, 7/8, 1-1/8, 1-3/8 or 1-5/8.",
            "Line 4: unknown tube value \"7/32\"; expected 5/32, 3/16, 1/4, 5/16, 3/8 or 1/2.",
            "Line 4: unknown nozzle_size value \"2.5\"; expected 1/6, 1/4, 1/3, 1/2, 3/4, 1, 1-1/2, 2, 2-1/2, 3, 4, "
            "5, 6, 8, 10, 12, 15, 17, 20, 25, 30, 35, 40 or 50.",
            "Line 4: unknown orifice_type value \"fixed\"; expected any, permanent or replaceable.",
            "Line 4: unknown side_port value \"both\"; expected none, integral, auxiliary or any.",
            "Line 5 (MT-04 deli case): unknown side_port value \"no\"; expected none, integral, auxiliary or any.",
            "Line 6: the tag cell has text after its closing quote.",
        }));
}

TEST(ScheduleLines, RefrigerantMustBeOneTheProgramKnows) {
    const ScheduleRead read = readData("unknown-refrigerant.csv");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(dutyLines(read.schedule), (std::vector<int>{4}));
    EXPECT_EQ(read.schedule.duties[0].inputs.refrigerant, "R-134a");
    const std::string known = "R-12, R-22, R-134a, R-401A, R-402A, R-404A, R-407C, R-410A, R-502 or R-507.";
    EXPECT_EQ(
        messages(read.schedule),
        (std::vector<std::string>{"Line 2 (MT-01 meat case): unknown refrigerant value \"R-600a\"; expected " + known,
                                  "Line 3 (MT-02 dairy case): no refrigerant value; expected " + known,
                                  "Line 5 (MT-04 deli case): unknown refrigerant value \"R22\"; expected " + known}));
}

// Messages stay on one line and short: a tag's line break shows as a blank,
// and a wild value is cut, never inside a character.
TEST(ScheduleLines, LabelsAndQuotedValuesStayOnOneShortLine) {
    EXPECT_EQ(lineLabel(12, ""), "Line 12");
    EXPECT_EQ(lineLabel(4, "LT-01\nend\tof aisle\r"), "Line 4 (LT-01 end of aisle )");

    const std::string wild = std::string(39, 'x') + "\xC2\xB0" + std::string(30, 'y');
    const std::string text =
        "tag,refrigerant,capacity,circuits,suction,liquid,length,type\n"
        "\"LT-01\nend of aisle\",R-22,1,4,40,100,30," +
        wild + "\n";
    const ScheduleRead read = readScheduleText(text, false);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.schedule.errors.size(), 1u);
    EXPECT_EQ(read.schedule.errors[0].tag, "LT-01\nend of aisle");
    EXPECT_EQ(read.schedule.errors[0].message, "Line 2 (LT-01 end of aisle): unknown type value \"" +
                                                   std::string(39, 'x') + "...\"; expected either, nozzle or venturi.");
}

// ---- the record reader ------------------------------------------------------------

TEST(CsvRecords, SplitsFieldsAndCountsPhysicalLines) {
    CsvReader reader("a, \"b,\"\"c\"\" \" ,12\" coil,\r\r\n\"x\ry\"\r\n\n,\rlast");
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.line, 1);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"a", "b,\"c\" ", "12\" coil", ""}));
    EXPECT_EQ(record.fault, CsvFault::None);
    ASSERT_TRUE(reader.next(record));  // the empty line 2 is skipped
    EXPECT_EQ(record.line, 3);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"x\ny"}));
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.line, 6);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"", ""}));
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.line, 7);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"last"}));
    EXPECT_FALSE(reader.next(record));
}

TEST(CsvRecords, QuotingFaultsKeepTheFollowingRecordsInPlace) {
    CsvReader reader("a,\"b\"c\"d,e\nf,g\n\"h");
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fault, CsvFault::TextAfterQuote);
    EXPECT_EQ(record.faultField, 1u);
    EXPECT_EQ(record.fields.size(), 3u);
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fault, CsvFault::None);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"f", "g"}));
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.line, 3);
    EXPECT_EQ(record.fault, CsvFault::UnclosedQuote);
    EXPECT_EQ(record.faultField, 0u);
    EXPECT_FALSE(reader.next(record));
}

// The same records wherever the text is split into pieces: a file is read in
// pieces, and a quote, a CR LF or a long field may straddle any two.
TEST(CsvRecords, PiecesSplitAnywhereReadAsOneText) {
    const std::string texts[] = {
        "a,b\r\nc,\"d,\"\"e\"\"\r\nf\"\r\rg\n\n  \"h\"  ,i",
        "a,\"b\"c\"d,e\nf,g\n\"h",
        "\"x\"\"\",  y  ,\r\n\r\n,\n",
    };
    auto records = [](CsvReader& reader) {
        std::vector<std::string> all;
        CsvRecord record;
        while (reader.next(record)) {
            std::string text = std::to_string(record.line) + ":" + std::to_string(record.fieldCount) + ":" +
                               std::to_string(static_cast<int>(record.fault)) + ":" + std::to_string(record.faultField);
            for (const std::string& field : record.fields) text += "|" + field;
            all.push_back(text);
        }
        all.push_back("end at line " + std::to_string(reader.line()));
        return all;
    };
    for (const std::string& text : texts) {
        CsvReader whole(text);
        const std::vector<std::string> expected = records(whole);
        for (std::size_t size = 1; size <= text.size(); ++size) {
            std::size_t at = 0;
            CsvReader pieces(
                [&] {
                    const std::string_view piece = std::string_view(text).substr(at, size);
                    at += piece.size();
                    return piece;
                },
                64, 1 << 20);
            EXPECT_EQ(records(pieces), expected) << "pieces of " << size;
        }
    }
}

// A schedule file longer than a piece reads as its text does, characters and
// line ends straddling pieces included; its faults are found wherever they lie.
TEST(ScheduleFile, ALongFileReadsInPiecesAsItsText) {
    test::TempDir dir;
    std::string text = "\xEF\xBB\xBFtag,refrigerant,capacity,circuits,suction,liquid,length\r\n";
    for (int i = 0; text.size() < 700 * 1024; ++i)
        text += "K\xC3\xBChl-" + std::to_string(i) + (i % 3 == 0 ? " \xE2\x82\xAC" : "") + ",R-22,14,8,40,100,30\r\n";
    const ScheduleRead fromText = readScheduleText(text, false);
    const ScheduleRead fromFile = readScheduleFile(dir.write("long.csv", text), false);
    ASSERT_EQ(fromFile.error, "");
    ASSERT_EQ(fromFile.schedule.duties.size(), fromText.schedule.duties.size());
    for (std::size_t i = 0; i < fromText.schedule.duties.size(); ++i) {
        ASSERT_EQ(fromFile.schedule.duties[i].tag, fromText.schedule.duties[i].tag) << i;
        ASSERT_EQ(fromFile.schedule.duties[i].line, fromText.schedule.duties[i].line) << i;
    }

    // A fault far down refuses the file before its first line is read.
    const std::size_t far = text.size() - 100;
    std::string latin1 = text;
    latin1[far] = '\xFC';
    std::string nul = text;
    nul[far] = '\0';
    for (const std::string& bad : {latin1, nul}) {
        ScheduleReader reader(dir.write("bad.csv", bad), false);
        EXPECT_EQ(reader.error(), readScheduleText(bad, false).error);
        EXPECT_NE(reader.error().find(" holds "), std::string::npos) << reader.error();
        ScheduleLine line;
        EXPECT_FALSE(reader.next(line));
    }
}

// A schedule is no typed form: a number cell holds a number or, where the
// form derives the value, nothing.
TEST(ScheduleLines, NumberCellsMustHoldNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"MT-1,R-22,14,8,40,100,30", ""},
        {"MT-1,R-22,,,-20,100,30", ""},
        {"MT-1,R-22, 1.5e1 ,8,+40,100.,30", ""},
        {"MT-1,R-22,14,8,abc,100,30", "Line 2 (MT-1): the suction cell \"abc\" is not a number."},
        {"MT-1,R-22,14,8,,100,30", "Line 2 (MT-1): no suction value."},
        {"MT-1,R-22,14,4O,40,100,30", "Line 2 (MT-1): the circuits cell \"4O\" is not a number."},
        {"MT-1,R-22,1 4,8,40,100,",
         "Line 2 (MT-1): the capacity cell \"1 4\" is not a number.|"
         "Line 2 (MT-1): no length value."},
        {"MT-1,R-22,14,8,40,100 F,30", "Line 2 (MT-1): the liquid cell \"100 F\" is not a number."},
    };
    for (const auto& [line, expected] : cases) {
        const ScheduleRead read = readScheduleText(std::string(kRequiredHeader) + line, false);
        std::string said;
        for (const std::string& message : messages(read.schedule)) said += (said.empty() ? "" : "|") + message;
        EXPECT_EQ(said, expected) << line;
        EXPECT_EQ(read.schedule.duties.size(), said.empty() ? 1u : 0u) << line;
    }
}

// Labels show a tag short and harmless: no control character reaches a
// terminal, and a long tag is cut with "…".
TEST(ScheduleLines, TagsShowShortAndWithVisibleControlCharacters) {
    EXPECT_EQ(lineLabel(3,
                        "A\x1b]0;title\x07"
                        "B\x7f\xC2\x9B"),
              "Line 3 (A\xE2\x90\x9B]0;title\xE2\x90\x87"
              "B\xE2\x90\xA1\xEF\xBF\xBD)");
    const std::string forty(40, 'x');
    EXPECT_EQ(lineLabel(4, forty), "Line 4 (" + forty + ")");
    EXPECT_EQ(lineLabel(5, forty + "\xC3\xBC" + std::string(10000000, 'y')),
              "Line 5 (" + std::string(39, 'x') + "\xE2\x80\xA6)");
    EXPECT_EQ(visibleText("\xC3\xBC\xC3\xBC\xC3\xBC", 2), "\xC3\xBC\xE2\x80\xA6");
    EXPECT_EQ(withVisibleControls("a\r\nb\tc\x1b"), "a\r\nb\tc\xE2\x90\x9B");
}

// No line takes more memory than the limit: a longer one is a fault of its
// own, and the lines after it still read.
TEST(ScheduleLines, ALineLongerThanTheLimitIsAFaultOfItsOwn) {
    const std::string text = std::string(kRequiredHeader) + "\"" + std::string(kMaxScheduleLineBytes + 1, 'y') +
                             "\",R-22,14,8,40,100,30\nMT-2,R-22,14,8,40,100,30\n";
    const ScheduleRead read = readScheduleText(text, false);
    EXPECT_EQ(messages(read.schedule), (std::vector<std::string>{"Line 2: the line is longer than 16 MiB."}));
    EXPECT_EQ(dutyLines(read.schedule), (std::vector<int>{3}));
}

// A schedule of a million faulty lines sums up in one short message, and
// keeps only the lines it names.
TEST(ScheduleSummary, NamesTheFirstTenFaultyLinesAndCountsTheOthers) {
    ScheduleSums sums;
    for (int line = 3; line <= 16; ++line) sums.addLineError(line);
    EXPECT_EQ(sums.errorLines.size(), kListedErrorLines);
    EXPECT_EQ(scheduleSummary(sums, false),
              "14 duties read (capacity in tons, temperatures in \xC2\xB0"
              "F).\nWith results: 0\nWithout results: 0\n"
              "With errors: 14 (lines 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 and 4 more)");
    ScheduleSums few;
    few.addLineError(5);
    few.addLineError(6);
    EXPECT_EQ(scheduleSummary(few, false).substr(scheduleSummary(few, false).rfind('\n') + 1),
              "With errors: 2 (lines 5 and 6)");
}

// A file that changes while it runs stops at the line where it is no text
// any more: the lines above it were read, and the message names that line.
TEST(ScheduleFile, AFileChangedWhileReadStopsAtTheLineThatIsNoText) {
    test::TempDir dir;
    std::string text = kRequiredHeader;
    while (text.size() < 800 * 1024) text += "MT-1,R-22,14,8,40,100,30\n";
    const std::string path = dir.write("changing.csv", text);
    const std::size_t at = 600 * 1024;
    const int line =
        1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));

    ScheduleReader reader(path, false);
    ASSERT_EQ(reader.error(), "");
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(at));
        file.put('\0');
    }
    ScheduleLine read;
    int last = 0;
    while (reader.next(read)) last = read.duty.line;
    EXPECT_EQ(last, line - 1);
    EXPECT_EQ(reader.error(), "The schedule is not a text file: line " + std::to_string(line) + " holds a NUL byte.");
}

}  // namespace
}  // namespace vantrel
