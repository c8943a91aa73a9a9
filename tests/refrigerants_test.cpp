#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <time.h>
#include <tuple>

#include "curve/sweep.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "refrigerants/refrigerant_table.h"
#include "test_support.h"
#include "util/environment.h"
#include "util/files.h"

namespace vantrel {
namespace {

const std::string kHeader = "name,group,factor,composition,gwp,safety,source\n";

std::string shippedFile(const char* name) { return std::string(VANTREL_SHIPPED_DATA_DIR) + "/" + name; }

std::vector<ComponentGwp> shippedComponents() {
    std::string text;
    EXPECT_TRUE(readWholeFile(shippedFile(kComponentFileName), text));
    std::vector<std::string> problems;
    std::vector<ComponentGwp> components = readComponentText(text, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    return components;
}

// The engine's added refrigerants and the variable naming the user's table
// as they were before a test, put back after it whatever it did.
class RefrigerantsGuard {
public:
    RefrigerantsGuard() : added_(addedRefrigerants()) {
        variable_ = environmentValue(kUserRefrigerantsVariable);
    }
    ~RefrigerantsGuard() {
        setAddedRefrigerants(added_);
        if (variable_) {
            setEnvironmentValue(kUserRefrigerantsVariable, *variable_);
        } else {
            removeEnvironmentValue(kUserRefrigerantsVariable);
        }
    }
    RefrigerantsGuard(const RefrigerantsGuard&) = delete;
    RefrigerantsGuard& operator=(const RefrigerantsGuard&) = delete;

private:
    std::vector<AddedRefrigerant> added_;
    std::optional<std::string> variable_;
};

TEST(ShippedRefrigerants, TheFileHoldsTheEnginesTenWithTheirGroupsAndFactors) {
    std::string text;
    ASSERT_TRUE(readWholeFile(shippedFile(kRefrigerantFileName), text));
    // Read as written, not through the start-up merge, which would quietly
    // fall back to the engine's values for a line that disagrees.
    const RefrigerantFileRead read = readRefrigerantText(text, {}, shippedComponents(), true);
    EXPECT_TRUE(read.problems.empty()) << read.problems.front();
    ASSERT_EQ(read.rows.size(), kRefrigerants.size());
    for (std::size_t i = 0; i < kRefrigerants.size(); ++i) {
        const RefrigerantInfo& row = read.rows[i].second;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.name, kRefrigerants[i]);
        EXPECT_EQ(row.group, refrigerantGroup(kRefrigerants[i]));
        EXPECT_EQ(row.factor, refrigerantFactor(kRefrigerants[i]));
        EXPECT_EQ(row.safetyClass, "A1");
        EXPECT_TRUE(row.gwp.has_value());
        EXPECT_FALSE(row.source.empty());
    }

    const RefrigerantStart start =
        readRefrigerants(shippedFile(kRefrigerantFileName), shippedFile(kComponentFileName), "");
    EXPECT_EQ(start.warningText(), "");
    ASSERT_EQ(start.table.size(), kRefrigerants.size());
    for (std::size_t i = 0; i < kRefrigerants.size(); ++i) {
        EXPECT_EQ(start.table[i].name, read.rows[i].second.name);
        EXPECT_EQ(start.table[i].composition, read.rows[i].second.composition);
        EXPECT_TRUE(start.table[i].shipped);
    }
}

TEST(ShippedRefrigerants, EachGwpFollowsFromTheCompositionAndAr4) {
    const RefrigerantStart start =
        readRefrigerants(shippedFile(kRefrigerantFileName), shippedFile(kComponentFileName), "");
    const std::vector<ComponentGwp> components = shippedComponents();
    // IPCC AR4 WG1 Table 2.14 figures, and the blends' mass-weighted sums.
    const std::map<std::string, double> expected = {
        {"R-12", 10900},  {"R-22", 1810},   {"R-134a", 1430}, {"R-401A", 1182}, {"R-402A", 2788},
        {"R-404A", 3922}, {"R-407C", 1774}, {"R-410A", 2088}, {"R-502", 4657},  {"R-507", 3985}};
    for (const RefrigerantInfo& info : start.table) {
        SCOPED_TRACE(info.name);
        ASSERT_TRUE(info.gwp.has_value());
        EXPECT_EQ(*info.gwp, expected.at(info.name));
        const auto blend = parseComposition(info.composition);
        ASSERT_TRUE(blend.has_value()) << info.composition;
        double exact = 0.0;
        for (const BlendComponent& part : *blend) {
            const auto found = std::find_if(components.begin(), components.end(),
                                            [&](const ComponentGwp& c) { return c.name == part.name; });
            ASSERT_NE(found, components.end()) << part.name;
            exact += part.percent / 100.0 * found->gwp;
        }
        EXPECT_LE(std::fabs(*info.gwp - exact), 0.5);
        EXPECT_EQ(compositionGwp(*blend, components), info.gwp);
    }
}

TEST(Compositions, ReadOnlyComponentsWithPercentagesMakingAHundred) {
    const auto r502 = parseComposition("R-22 48.8% / R-115 51.2%");
    ASSERT_TRUE(r502.has_value());
    ASSERT_EQ(r502->size(), 2u);
    EXPECT_EQ((*r502)[1].name, "R-115");
    EXPECT_DOUBLE_EQ((*r502)[1].percent, 51.2);
    EXPECT_TRUE(parseComposition("R-32 50 %/R-125 50%").has_value());
    EXPECT_TRUE(parseComposition("R-32 33.3% / R-125 33.3% / R-134a 33.4%").has_value());
    EXPECT_TRUE(parseComposition("R-744 100%").has_value());
    for (const char* bad :
         {"", "R-32", "R-32 100", "100%", "R-32 50% / R-125 49%", "R-32 50% /", "/ R-32 100%", "R-32 50% / r-32 50%",
          "R-32 0% / R-125 100%", "R-32 1e2%", "R-32 -50% / R-125 150%", "R,32 100%", "R-32 50% R-125 50%"}) {
        EXPECT_FALSE(parseComposition(bad).has_value()) << bad;
    }

    const std::vector<ComponentGwp> components = {{"R-32", 675, ""}, {"R-125", 3500, ""}};
    // Exactly halfway: whole numbers round up, as the published 2088 does.
    EXPECT_EQ(compositionGwp(*parseComposition("R-32 50% / R-125 50%"), components), 2088.0);
    EXPECT_EQ(compositionGwp(*parseComposition("r-32 100%"), components), 675.0);
    EXPECT_EQ(compositionGwp(*parseComposition("R-32 68.9% / R-1234yf 31.1%"), components), std::nullopt);
}

TEST(Labels, ShowWhatIsKnown) {
    std::vector<RefrigerantInfo> table(4);
    table[0].name = "R-22";
    table[0].gwp = 1810;
    table[0].safetyClass = "A1";
    table[1].name = "R-32";
    table[1].gwp = 675;
    table[2].name = "R-454B";
    table[2].safetyClass = "A2L";
    table[3].name = "R-X";
    table[3].gwp = 466.5;
    EXPECT_EQ(refrigerantLabel(table, "R-22"), "GWP 1810 \u00B7 A1");
    EXPECT_EQ(refrigerantLabel(table, "R-32"), "GWP 675");
    EXPECT_EQ(refrigerantLabel(table, "R-454B"), "A2L");
    EXPECT_EQ(refrigerantLabel(table, "R-X"), "GWP 467");
    EXPECT_EQ(refrigerantLabel(table, "r-22"), "");
    EXPECT_EQ(refrigerantLabel(table, "R-12"), "");
}

class UserTable : public ::testing::Test {
protected:
    RefrigerantStart read(const std::string& text, bool named = false) {
        const std::string user = dir.write("refrigerants.csv", text);
        return readRefrigerants(shippedFile(kRefrigerantFileName), shippedFile(kComponentFileName), user, named);
    }
    static std::vector<std::string> userNames(const RefrigerantStart& start) {
        std::vector<std::string> names;
        for (const RefrigerantInfo& info : start.table)
            if (!info.shipped) names.push_back(info.name);
        return names;
    }
    test::TempDir dir;
};

TEST_F(UserTable, GoodLinesFollowTheTenAndEachBadLineIsReportedWithItsRule) {
    static const char kLines[] =
        "R-454B,R-22,1.12,R-32 68.9% / R-1234yf 31.1%,466,a2l,Example Gas Co. data sheet 12\n"  // 2
        "R-900X,R-404A,1.0,,,,bench test\n"                                                     // 3
        "R-901X,R-22,3.5,,,,bench test\n"                                                       // 4
        "r-454b,R-22,1.0,,,,bench test\n"                                                       // 5
        "r-22,R-22,1.0,,,,bench test\n"                                                         // 6
        "R-902X,R-22,1.0,,,,\n"                                                                 // 7
        "\x01\xff\xfe garbage\x00,,,,,,\n"                                                      // 8
        "R-903X,R-22,1.0\n"                                                                     // 9
        "R-904X,r-502,0.2,R-32 50% / R-125 50%,,B2L,\"lab, sheet 4\"\n"                         // 10
        "R-905X,R-22,1.0,R-32 60% / R-125 50%,,,bench test\n"                                   // 11
        "R-906X,R-22,1.0,,-3,,bench test\n"                                                     // 12
        "R-907X,R-22,1.0,,,C1,bench test\n"                                                     // 13
        "-R908,R-22,1.0,,,,bench test\n"                                                        // 14
        ",,,,,,\n"                                                                              // 15
        "R-909X,R-502,3.0,,0,,bench test\n"                                                     // 16
        "R-910X,R-22,1.0,,,,\"never closed\n";                                                  // 17
    // The NUL byte of line 8 stays in the text.
    const RefrigerantStart start = read(kHeader + std::string(kLines, sizeof kLines - 1));
    ASSERT_EQ(start.table.size(), kRefrigerants.size() + 3);
    EXPECT_EQ(userNames(start), (std::vector<std::string>{"R-454B", "R-904X", "R-909X"}));

    const RefrigerantInfo& r454b = start.table[10];
    EXPECT_EQ(r454b.group, RefrigerantGroup::R22);
    EXPECT_EQ(r454b.factor, 1.12);
    EXPECT_EQ(r454b.gwp, 466.0);
    EXPECT_EQ(r454b.safetyClass, "A2L");
    EXPECT_EQ(r454b.composition, "R-32 68.9% / R-1234yf 31.1%");
    const RefrigerantInfo& r904 = start.table[11];
    EXPECT_EQ(r904.group, RefrigerantGroup::R502);
    EXPECT_EQ(r904.gwp, 2088.0);  // blank: from the composition
    EXPECT_EQ(r904.source, "lab, sheet 4");
    EXPECT_EQ(start.table[12].gwp, 0.0);

    const std::vector<std::string> expected = {
        "line 3: the group must be R-22 or R-502.",
        "line 4: the factor must be a number from 0.2 to 3.0.",
        "line 5: r-454b is already on line 2.",
        "line 6: the program already has R-22.",
        "line 7: the source is missing: say where the factor comes from.",
        "line 8: the line holds bytes that are not plain text.",
        "line 9: a line has 7 fields (name, group, factor, composition, gwp, safety, source); this one has 3.",
        "line 11: the composition must be components with mass percentages adding up to 100, e.g. R-32 50% / "
        "R-125 50%.",
        "line 12: the GWP must be a number of 0 or more, or left blank.",
        "line 13: the safety class must be A1, A2L, A2, A3, B1, B2L, B2 or B3, or left blank.",
        "line 14: the name must be at most 19 letters, digits and - . _ +, starting with a letter or digit.",
        "line 17: a quoted field has no closing quote."};
    EXPECT_EQ(start.problems, expected);
    ASSERT_EQ(start.problemFiles.size(), expected.size());
    const std::string table = test::pathIn(dir.path(), "refrigerants.csv");
    for (const std::string& file : start.problemFiles) EXPECT_EQ(file, table);

    const std::string warning = start.warningText();
    EXPECT_EQ(
        warning.rfind("Some refrigerant table lines were left out.\nIn " + table + ":\n", 0), 0u)
        << warning;
    for (const std::string& problem : expected) EXPECT_NE(warning.find("\n" + problem), std::string::npos) << problem;
}

TEST_F(UserTable, SpreadsheetHabitsAreRead) {
    // A byte order mark, CR LF, a header in capitals with blanks, quoted
    // fields, blanks around values, empty lines.
    const RefrigerantStart start = read(
        "\xEF\xBB\xBF Name , GROUP,Factor,Composition,GWP,Safety,Source\r\n\r\n"
        "\"R-460X\" , R-22 , 1.5 ,\"R-32 50% / R-125 50%\", ,A2L ,\"a \"\"quoted\"\" source\"\r\n"
        "R-461X\t,R-502,.5,,12.5,,x\r\n");
    EXPECT_TRUE(start.problems.empty()) << start.warningText();
    ASSERT_EQ(userNames(start), (std::vector<std::string>{"R-460X", "R-461X"}));
    EXPECT_EQ(start.table[10].factor, 1.5);
    EXPECT_EQ(start.table[10].gwp, 2088.0);
    EXPECT_EQ(start.table[10].source, "a \"quoted\" source");
    EXPECT_EQ(start.table[11].factor, 0.5);
    EXPECT_EQ(start.table[11].gwp, 12.5);
}

TEST_F(UserTable, AFileThatIsNoTableAddsNothingAndSaysWhy) {
    const std::string header =
        "line 1: the first line must be the header name,group,factor,composition,gwp,safety,"
        "source; nothing else in the file was read.";
    RefrigerantStart start = read("R-460X,R-22,1.5,,,,x\n");
    EXPECT_EQ(start.problems, std::vector<std::string>{header});
    EXPECT_EQ(start.table.size(), kRefrigerants.size());

    EXPECT_EQ(read(std::string(2000, 'x') + "\n").problems, std::vector<std::string>{header});
    EXPECT_EQ(read(kHeader + std::string(2000, 'x') + "\n").problems,
              std::vector<std::string>{"line 2: the line is longer than 1000 characters."});
    EXPECT_TRUE(read("").problems.empty());
    EXPECT_TRUE(read("\n\n").problems.empty());

    start = read(std::string(kMaxRefrigerantFileSize + 1, '\n'));
    EXPECT_EQ(start.problems, std::vector<std::string>{"the file is larger than 1 MB and was not read."});
    EXPECT_NE(start.warningText().find("In " + test::pathIn(dir.path(), "refrigerants.csv") + ":\nthe file is larger"),
              std::string::npos);

    // A folder in the table's place, and a missing table asked for by name or not.
    const std::string shipped = shippedFile(kRefrigerantFileName);
    const std::string components = shippedFile(kComponentFileName);
    start = readRefrigerants(shipped, components, dir.path());
    EXPECT_EQ(start.problems, std::vector<std::string>{"the file cannot be read: it is not a regular file."});
    EXPECT_TRUE(readRefrigerants(shipped, components, dir.path() + "/none.csv").problems.empty());
    start = readRefrigerants(shipped, components, dir.path() + "/none.csv", true);
    ASSERT_EQ(start.problems.size(), 1u);
    EXPECT_EQ(start.problems[0].rfind("the file cannot be read: ", 0), 0u) << start.problems[0];
}

TEST_F(UserTable, WarningTextListsTwentyProblemsAndCountsTheRest) {
    std::string text = kHeader;
    for (int i = 0; i < 25; ++i) text += "R-9" + std::to_string(i) + ",R-99,1,,,,x\n";
    const RefrigerantStart start = read(text);
    EXPECT_EQ(start.problems.size(), 25u);
    const std::string warning = start.warningText();
    EXPECT_NE(warning.find("line 21: the group"), std::string::npos);
    EXPECT_EQ(warning.find("line 22: the group"), std::string::npos);
    EXPECT_EQ(warning.substr(warning.rfind('\n') + 1), "5 more problems are not shown.");
}

TEST(ShippedRefrigerants, AMissingOrDamagedShippedTableLeavesTheEnginesValues) {
    test::TempDir dir;
    RefrigerantStart start = readRefrigerants(dir.path() + "/none.csv", dir.path() + "/none2.csv", "");
    EXPECT_TRUE(start.problems.empty());
    ASSERT_EQ(start.table.size(), kRefrigerants.size());
    for (std::size_t i = 0; i < kRefrigerants.size(); ++i) {
        EXPECT_EQ(start.table[i].name, kRefrigerants[i]);
        EXPECT_EQ(start.table[i].factor, refrigerantFactor(kRefrigerants[i]));
        EXPECT_FALSE(start.table[i].gwp.has_value());
        EXPECT_TRUE(start.table[i].shipped);
    }

    const std::string damaged = dir.write("refrigerants.csv", kHeader +
                                                                  "R-22,R-22,1.1,R-22 100%,1810,A1,edited\n"
                                                                  "R-404A,R-502,1.076,,3922,A1,kept\n"
                                                                  "R-460X,R-22,1.5,,,,added by hand\n");
    start = readRefrigerants(damaged, shippedFile(kComponentFileName), "");
    EXPECT_EQ(
        start.problems,
        (std::vector<std::string>{
            "line 2: R-22 must have the group and factor the program rates it with: R-22, 1.",
            "line 4: R-460X is not one of the program's ten; a refrigerant of your own belongs in your own table."}));
    ASSERT_EQ(start.table.size(), kRefrigerants.size());
    EXPECT_EQ(start.table[1].factor, 1.0);
    EXPECT_FALSE(start.table[1].gwp.has_value());
    EXPECT_EQ(start.table[5].source, "kept");
    EXPECT_EQ(start.table[5].gwp, 3922.0);
}

// Control characters would reach the listing and the warning raw (a source
// could retitle a terminal or hide text), and what is not UTF-8 cannot be
// shown; every column is held to the same rule.
TEST(RefrigerantText, NoColumnTakesControlCharactersOrWhatIsNotUtf8) {
    const std::string good[7] = {"R-460X", "R-22", "1.5", "R-32 50% / R-125 50%", "", "A1", "bench test"};
    auto line = [&](std::size_t column, const std::string& inserted) {
        std::string text = kHeader;
        for (std::size_t i = 0; i < 7; ++i) {
            if (i) text += ',';
            text += i == column ? good[i] + inserted : good[i];
        }
        return text + "\n";
    };
    const char* const refused[] = {
        "\x7F",              // DEL
        "\xC2\x80",          // U+0080, the first C1 control
        "\xC2\x85",          // NEL
        "\xC2\x9B",          // CSI, which starts terminal commands as ESC [ does
        "\xC2\x9F",          // U+009F, the last
        "\x1B]0;title\x07",  // ESC and BEL
        "\xC0\xAF",          // "/" written in two bytes
        "\xE0\x80\xAF",      // and in three
        "\xF0\x80\x80\xAF",  // and in four
        "\xED\xA0\x80",      // a UTF-16 surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
    };
    for (std::size_t column = 0; column < 7; ++column) {
        for (const char* bytes : refused) {
            SCOPED_TRACE(::testing::PrintToString(std::string(kRefrigerantColumns[column]) + " " + bytes));
            const RefrigerantFileRead read = readRefrigerantText(line(column, bytes), {}, {}, false);
            EXPECT_TRUE(read.rows.empty());
            EXPECT_EQ(read.problems, std::vector<std::string>{"line 2: the line holds bytes that are not plain text."});
        }
    }
    // The neighbours of the refused: a no-break space, a middle dot, an
    // accented letter, the last code point before the surrogates, an emoji,
    // the last code point there is.
    for (const char* bytes :
         {"\xC2\xA0x", "\xC2\xB7", "\xC3\xA9", "\xED\x9F\xBF", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(bytes)));
        const RefrigerantFileRead read = readRefrigerantText(line(6, bytes), {}, {}, false);
        EXPECT_TRUE(read.problems.empty()) << read.problems.front();
        ASSERT_EQ(read.rows.size(), 1u);
        EXPECT_EQ(read.rows[0].second.source, std::string("bench test") + bytes);
    }
}

// The table's own limit is what a refused file is told, however far past it,
// beyond the limit of whole-file reading too. Sparse files take no disk.
TEST_F(UserTable, AFileOverTheLimitIsToldTheTablesLimitWhateverItsSize) {
    const std::string path = dir.write("refrigerants.csv", kHeader);
    for (const std::uintmax_t size :
         {std::uintmax_t{kMaxRefrigerantFileSize} + 1, std::uintmax_t{300} << 20, std::uintmax_t{2} << 30}) {
        SCOPED_TRACE(size);
        std::filesystem::resize_file(path, size);
        for (const bool named : {false, true}) {
            const RefrigerantStart start =
                readRefrigerants(shippedFile(kRefrigerantFileName), shippedFile(kComponentFileName), path, named);
            EXPECT_EQ(start.problems, std::vector<std::string>{"the file is larger than 1 MB and was not read."});
            EXPECT_EQ(start.table.size(), kRefrigerants.size());
        }
    }
}

// The processor time this thread has used: unlike the clock, it does not
// count the time other programs on a loaded machine take.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A table of up to 1 MB is read at every start of both programs, so reading
// must take time in proportion to its length. Timed as the least of a few
// runs each, a table of about 1 MB takes about 4 times as long as one of a
// quarter of that (up to 6 where the larger one no longer fits the caches);
// a check of each line against the lines before it would make it 16. The
// components file grows with the table where it is used.
TEST_F(UserTable, ReadingTakesTimeInProportionToTheTablesLength) {
    RefrigerantsGuard guard;
    using Line = std::function<std::string(int)>;
    struct Kind {
        const char* what;
        Line line;
        Line component;  // none: no components file
    };
    const std::string blend = ",R-32 50% / R-125 50%,,A1,bench test";
    const Kind kinds[] = {
        {"new names", [&](int i) { return "U-" + std::to_string(i) + ",R-22,1.05" + blend; }, nullptr},
        {"one name again and again", [&](int) { return "U-1,R-22,1.05" + blend; }, nullptr},
        {"refused lines", [&](int i) { return "U-" + std::to_string(i) + ",R-99,1.05" + blend; }, nullptr},
        {"blends of many components",
         [](int i) {
             return "U-" + std::to_string(i) + ",R-22,1,C-" + std::to_string(i / 4) + " 50% / C-" +
                    std::to_string(i / 8) + " 50%,,,x";
         },
         [](int i) { return "C-" + std::to_string(i) + "," + std::to_string(i % 5000) + ",x"; }},
    };
    auto table = [](std::string text, const Line& line, std::size_t bytes) {
        for (int i = 0;; ++i) {
            const std::string next = line(i) + "\n";
            if (text.size() + next.size() > bytes) return text;
            text += next;
        }
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        test::TempDir data[2];  // a quarter, the whole
        std::string user[2];
        for (int size = 0; size < 2; ++size) {
            const std::size_t bytes = size ? kMaxRefrigerantFileSize : kMaxRefrigerantFileSize / 4;
            user[size] = data[size].write("user.csv", table(kHeader, kind.line, bytes));
            if (kind.component)
                data[size].write(kComponentFileName, table("name,gwp,source\n", kind.component, bytes / 4));
        }
        // Windows counts a thread's time in ticks of 10 to 16 ms: a table is
        // read again until many ticks have passed, and the time per read kept.
        auto seconds = [&](int size) {
            setEnvironmentValue(kUserRefrigerantsVariable, user[size]);
            const double start = threadSeconds();
            int reads = 0;
            double took = 0;
            do {
                const RefrigerantStart read = startRefrigerants(data[size].path());
                EXPECT_GT(read.table.size() + read.problems.size(), 1000u);
                ++reads;
                took = threadSeconds() - start;
            } while (took < 0.05);
            return took / reads;
        };
        double least[2] = {1e9, 1e9};
        for (int run = 0; run < 5; ++run)
            for (int size = 0; size < 2; ++size) least[size] = std::min(least[size], seconds(size));
        EXPECT_LT(least[1], 10 * least[0]) << "a quarter " << least[0] << " s, the whole " << least[1] << " s";
    }
}

// Whatever the bytes, the reader keeps its rules: what it adds is valid,
// what it refuses it reports by a line of the file, in order.
TEST_F(UserTable, RandomBytesAndDamagedTablesNeverBreakTheReader) {
    std::mt19937 random(20240611);
    const std::string good = kHeader +
                             "R-460X,R-22,1.5,\"R-32 50% / R-125 50%\",,A2L,\"bench, run 3\"\r\n"
                             "R-461X,R-502,0.5,,12,B1,x\n";
    const std::string alphabet = ",\"\r\n %/.-R0123456789AaLl\t\xEF\xBB\xBF\xC2\xB7";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        switch (round % 3) {
            case 0:  // random bytes after a good header
                text = kHeader;
                for (int i = std::uniform_int_distribution<int>(0, 400)(random); i > 0; --i)
                    text += static_cast<char>(random() & 0xFF);
                break;
            case 1:  // a good table with bytes changed, inserted and removed
                text = good;
                for (int i = std::uniform_int_distribution<int>(1, 8)(random); i > 0; --i) {
                    const std::size_t at = random() % (text.size() + 1);
                    const char c = random() % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
                    switch (random() % 3) {
                        case 0: text.insert(at, 1, c); break;
                        case 1:
                            if (at < text.size()) text.erase(at, 1);
                            break;
                        default:
                            if (at < text.size()) text[at] = c;
                    }
                }
                break;
            default:  // the table's own characters in any order
                text = kHeader;
                for (int i = std::uniform_int_distribution<int>(0, 300)(random); i > 0; --i)
                    text += alphabet[random() % alphabet.size()];
        }
        SCOPED_TRACE(::testing::PrintToString(text));
        const RefrigerantFileRead read = readRefrigerantText(text, {"R-22"}, {{"R-32", 675, ""}}, false);
        int previous = 0;
        for (const std::string& problem : read.problems) {
            ASSERT_EQ(problem.rfind("line ", 0), 0u) << problem;
            const int line = std::atoi(problem.c_str() + 5);
            EXPECT_GT(line, previous);
            previous = line;
            EXPECT_EQ(problem.find_first_of("\r\n"), std::string::npos);
        }
        for (const auto& [line, row] : read.rows) {
            EXPECT_GE(line, 2);
            EXPECT_FALSE(row.name.empty());
            EXPECT_LE(row.name.size(), 19u);
            EXPECT_EQ(row.name.find_first_of(",;\" \t\r\n"), std::string::npos);
            EXPECT_NE(row.name, "R-22");
            EXPECT_NE(row.group, RefrigerantGroup::Unknown);
            EXPECT_TRUE(row.factor >= 0.2 && row.factor <= 3.0);
            EXPECT_FALSE(row.source.empty());
            EXPECT_GE(row.gwp.value_or(0.0), 0.0);
        }
    }
}

TEST_F(UserTable, StartGivesTheUsersRefrigerantsToTheEngineAndTheLists) {
    RefrigerantsGuard guard;
    const std::string user = dir.write("mine.csv", kHeader + "R-460X,R-22,1.5,,,,bench\nR-461X,R-502,0.5,,,,bench\n");
    setEnvironmentValue(kUserRefrigerantsVariable, user);
    EXPECT_EQ(userRefrigerantsPath(), user);
    const RefrigerantStart start = startRefrigerants(VANTREL_SHIPPED_DATA_DIR);
    EXPECT_EQ(start.warningText(), "");
    EXPECT_EQ(start.table[5].gwp, 3922.0);  // the shipped table from the folder given

    std::vector<std::string> expected(kRefrigerants.begin(), kRefrigerants.end());
    expected.insert(expected.end(), {"R-460X", "R-461X"});
    EXPECT_EQ(lists::refrigerants(), expected);
    EXPECT_EQ(refrigerantGroup("R-461X"), RefrigerantGroup::R502);
    EXPECT_EQ(refrigerantFactor("R-460X"), 1.5);

    // A second start replaces the first one's refrigerants.
    dir.write("mine.csv", kHeader);
    startRefrigerants(VANTREL_SHIPPED_DATA_DIR);
    EXPECT_EQ(lists::refrigerants().size(), kRefrigerants.size());
    EXPECT_EQ(refrigerantGroup("R-460X"), RefrigerantGroup::Unknown);
}

// A user's refrigerant is rated as its group with both capacities scaled.
class UserRefrigerantRating : public ::testing::Test {
protected:
    void SetUp() override {
        setAddedRefrigerants({{"R-460X", RefrigerantGroup::R22, 2.0},
                              {"R-461X", RefrigerantGroup::R502, 0.5},
                              {"R-462X", RefrigerantGroup::R22, 1.12}});
    }
    FormInputs duty(const std::string& refrigerant, const std::string& capacity) const {
        FormInputs inputs = lists::defaultInputs(false);
        inputs.refrigerant = refrigerant;
        inputs.capacity = capacity;
        inputs.suctionTemp = "25";
        inputs.liquidTemp = "95";
        inputs.tubeLength = "30";
        return inputs;
    }
    RefrigerantsGuard guard;
    test::RecordingUi ui;
};

TEST_F(UserRefrigerantRating, NozzleAndTubeCapacitiesAreTheGroupsTimesTheFactor) {
    const SelectionForm form = test::shippedForm(false);
    for (const char* part : {"503-4-1/4-5", "1104-16-1/4-8", "5-4-4"}) {
        dist record;
        ASSERT_EQ(form.catalog.findPart(part, record).outcome, PartOutcome::Found) << part;
        const std::tuple<const char*, const char*, double> scaled[] = {
            {"R-460X", "R-22", 2.0}, {"R-461X", "R-502", 0.5}, {"R-462X", "R-22", 1.12}};
        for (const auto& [name, group, factor] : scaled) {
            SCOPED_TRACE(std::string(part) + " " + name);
            dist user = record;
            dist base = record;
            // Some of these loads lie outside what a Rate accepts; the
            // capacities and loads are worked out all the same.
            user.rate(name, 2, 25, 95, 30);
            base.rate(group, 2, 25, 95, 30);
            double userTube = 0, baseTube = 0;
            ASSERT_EQ(user.StdTubeRating(userTube), code::kOk);
            ASSERT_EQ(base.StdTubeRating(baseTube), code::kOk);
            EXPECT_DOUBLE_EQ(userTube, baseTube * factor);
            EXPECT_DOUBLE_EQ(user.tubeLoad * factor, base.tubeLoad);
            if (isNozzleType(record.type)) {
                double userNozzle = 0, baseNozzle = 0;
                ASSERT_EQ(user.StdNozzleRating(userNozzle), code::kOk);
                ASSERT_EQ(base.StdNozzleRating(baseNozzle), code::kOk);
                EXPECT_DOUBLE_EQ(userNozzle, baseNozzle * factor);
                EXPECT_DOUBLE_EQ(user.nozzleLoad * factor, base.nozzleLoad);
            }
        }
    }

    // The form's Rate takes the name and shows it in the row.
    SelectionForm rating = test::shippedForm(false);
    FormInputs inputs = duty("R-462X", "3");
    inputs.partNumber = "503-4-1/4-5";
    EXPECT_EQ(rating.rate(inputs, ui).outcome, ActionOutcome::Appended);
    ASSERT_EQ(rating.rows.size(), 1u);
    EXPECT_EQ(rating.rows.row(0)[column::kRefrigerant], "R-462X");
    EXPECT_TRUE(ui.messages.empty());
}

// With a factor of 2 or 1/2 the scaling is exact in binary: a duty of C at
// the user's refrigerant loads every nozzle and tube exactly as C/f at its
// group's base refrigerant does, so an independent search with the base
// refrigerant must find the very same distributors at the very same loads.
TEST_F(UserRefrigerantRating, SelectFindsWhatTheBaseRefrigerantFindsAtTheScaledCapacity) {
    struct Case {
        const char* user;
        const char* base;
        double factor;
        const char* capacity;
        const char* baseCapacity;
        const char* circuits;
        int tube;
    };
    const Case cases[] = {{"R-460X", "R-22", 2.0, "10", "5", "", 3},
                          {"R-461X", "R-502", 0.5, "2", "4", "", 3},
                          {"R-460X", "R-22", 2.0, "", "", "8", 3},
                          {"R-461X", "R-502", 0.5, "3", "6", "6", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + c.capacity + " " + c.circuits);
        SelectionForm userForm = test::shippedForm(false);
        SelectionForm baseForm = test::shippedForm(false);
        FormInputs userDuty = duty(c.user, c.capacity);
        FormInputs baseDuty = duty(c.base, c.baseCapacity);
        userDuty.circuits = baseDuty.circuits = c.circuits;
        userDuty.tubeSize = baseDuty.tubeSize = c.tube;
        const ActionReport user = userForm.select(userDuty, ui);
        const ActionReport base = baseForm.select(baseDuty, ui);
        ASSERT_EQ(user.outcome, ActionOutcome::Appended) << (ui.messages.empty() ? "" : ui.messages.back().text);
        ASSERT_EQ(base.outcome, ActionOutcome::Appended);
        ASSERT_FALSE(user.search.found.empty());
        ASSERT_EQ(user.search.found.size(), base.search.found.size());
        EXPECT_EQ(user.search.nozzle.step, base.search.nozzle.step);
        EXPECT_EQ(user.search.venturi.step, base.search.venturi.step);
        for (std::size_t i = 0; i < user.search.found.size(); ++i) {
            const dist a = user.search.record(i);
            const dist b = base.search.record(i);
            ASSERT_EQ(a.partNumber, b.partNumber);
            EXPECT_EQ(a.refrigerant, c.user);
            EXPECT_EQ(a.capacity, b.capacity * c.factor) << a.partNumber;
            EXPECT_EQ(a.nozzleLoad, b.nozzleLoad) << a.partNumber;
            EXPECT_EQ(a.tubeLoad, b.tubeLoad) << a.partNumber;
            EXPECT_EQ(a.totalDrop, b.totalDrop) << a.partNumber;
        }
    }
}

TEST(UserRefrigerantDocuments, RowsOfAUserRefrigerantSaveOpenAndRateLikeAnyOther) {
    RefrigerantsGuard guard;
    setAddedRefrigerants({{"R-460X", RefrigerantGroup::R22, 1.12}});
    test::TempDir dir;
    test::RecordingUi ui;
    SelectionForm form = test::shippedForm(false);
    FormInputs inputs = lists::defaultInputs(false);
    inputs.refrigerant = "R-460X";
    inputs.capacity = "4";
    inputs.partNumber = "503-4-1/4-5";
    ASSERT_EQ(form.rate(inputs, ui).outcome, ActionOutcome::Appended);
    inputs.refrigerant = "R-22";
    ASSERT_EQ(form.rate(inputs, ui).outcome, ActionOutcome::Appended);
    const std::string path = dir.path() + "/mine.dst";
    std::string error;
    ASSERT_TRUE(form.writeDocument(path, error)) << error;

    SelectionForm reopened = test::shippedForm(false);
    ASSERT_TRUE(reopened.openDocumentFile(path, ui));
    ASSERT_EQ(reopened.rows.size(), 2u);
    EXPECT_EQ(reopened.rows.row(0), form.rows.row(0));
    EXPECT_EQ(reopened.rows.row(0)[column::kRefrigerant], "R-460X");

    // On a machine that does not know the refrigerant the document still
    // opens whole; rating its row again says what the engine says.
    setAddedRefrigerants({});
    SelectionForm elsewhere = test::shippedForm(false);
    ASSERT_TRUE(elsewhere.openDocumentFile(path, ui));
    ASSERT_EQ(elsewhere.rows.size(), 2u);
    EXPECT_EQ(elsewhere.rows.row(0), form.rows.row(0));
    EXPECT_TRUE(ui.messages.empty());

    SelectionForm rater = test::shippedForm(false);
    FormInputs again = dutyOfRow(elsewhere.rows.row(0), lists::defaultInputs(false));
    const ActionReport refused = rater.rate(again, ui);
    EXPECT_EQ(refused.outcome, ActionOutcome::EngineError);
    EXPECT_EQ(refused.status, code::kUnknownRefrigerant);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Unknown refrigerant. (dist::StdTubeRating)");
    EXPECT_EQ(rater.rows.size(), 0u);
    FormInputs known = dutyOfRow(elsewhere.rows.row(1), lists::defaultInputs(false));
    EXPECT_EQ(rater.rate(known, ui).outcome, ActionOutcome::Appended);
    EXPECT_EQ(rater.rows.row(0), form.rows.row(1));
}

}  // namespace
}  // namespace vantrel
