#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "i18n/language.h"
#include "i18n/message_catalog.h"
#include "i18n/translate.h"

namespace vantrel {
namespace {

// A .mo file as msgfmt writes it: header, the two tables of (length, offset),
// then the NUL-terminated strings; keys sorted.
std::string moFile(const std::map<std::string, std::string>& entries, bool bigEndian = false) {
    std::string out;
    auto put = [&out, bigEndian](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>(bigEndian ? (v >> (24 - 8 * i)) & 0xff : (v >> (8 * i)) & 0xff);
    };
    const auto n = static_cast<std::uint32_t>(entries.size());
    const std::uint32_t originals = 28, translations = originals + 8 * n;
    std::uint32_t offset = translations + 8 * n;
    put(0x950412de);
    put(0);
    put(n);
    put(originals);
    put(translations);
    put(0);
    put(0);
    std::string strings;
    for (int table = 0; table < 2; ++table)
        for (const auto& [key, value] : entries) {
            const std::string& text = table == 0 ? key : value;
            put(static_cast<std::uint32_t>(text.size()));
            put(offset);
            offset += static_cast<std::uint32_t>(text.size()) + 1;
            strings += text;
            strings += '\0';
        }
    return out + strings;
}

const std::map<std::string, std::string> kGerman = {
    {"", "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: nplurals=2; plural=(n != 1);\n"},
    {"Capacity", "Kälteleistung"},
    {"list heading\4Length", "Länge"},
    {std::string("%s row\0%s rows", 14), std::string("%s Zeile\0%s Zeilen", 18)},
    {"Untranslated", ""},
};

TEST(MessageCatalog, FindsTextsContextsAndPluralsInEitherByteOrder) {
    for (const bool bigEndian : {false, true}) {
        std::string error;
        const auto catalog = MessageCatalog::fromBytes(moFile(kGerman, bigEndian), error);
        ASSERT_TRUE(catalog) << error;
        EXPECT_STREQ(catalog->find(nullptr, "Capacity"), "Kälteleistung");
        EXPECT_STREQ(catalog->find("list heading", "Length"), "Länge");
        EXPECT_EQ(catalog->find(nullptr, "Length"), nullptr);  // the context keeps them apart
        EXPECT_EQ(catalog->find(nullptr, "Untranslated"), nullptr);
        EXPECT_EQ(catalog->find(nullptr, "Capacit"), nullptr);
        EXPECT_STREQ(catalog->findPlural(nullptr, "%s row", 1), "%s Zeile");
        EXPECT_STREQ(catalog->findPlural(nullptr, "%s row", 0), "%s Zeilen");
        EXPECT_STREQ(catalog->findPlural(nullptr, "%s row", 7), "%s Zeilen");
    }
}

TEST(MessageCatalog, RefusesWhatIsNoCatalogOrIsDamaged) {
    const std::string good = moFile(kGerman);
    std::string pointsOutside = good;
    pointsOutside.replace(28 + 8 + 4, 4, "\xff\xff\xff\x7f");  // the second original's offset, far past the end
    std::string unterminated = good;
    unterminated.back() = 'x';
    for (const std::string& bytes : {std::string(), std::string("not a catalog at all, but long enough"),
                                     good.substr(0, 40), pointsOutside, unterminated}) {
        std::string error;
        EXPECT_FALSE(MessageCatalog::fromBytes(bytes, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(PluralRule, EvaluatesTheRulesCatalogsUse) {
    const char* polish = "(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
    const char* russian = "(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)";
    const struct {
        const char* rule;
        unsigned long n;
        unsigned long form;
    } cases[] = {
        {"n != 1", 1, 0},  {"n != 1", 0, 1},   {"n != 1", 2, 1},  {"(n > 1)", 0, 0},  {"(n > 1)", 1, 0},
        {"(n > 1)", 2, 1}, {"0", 5, 0},        {polish, 1, 0},    {polish, 3, 1},     {polish, 5, 2},
        {polish, 22, 1},   {polish, 12, 2},    {russian, 21, 0},  {russian, 11, 2},   {russian, 24, 1},
        {"!(n<=1)", 2, 1}, {"n>=2?1:0", 1, 0}, {"n-1*2+3", 4, 5}, {"n/2%3", 10, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(evaluatePluralRule(c.rule, c.n), c.form) << c.rule << " n=" << c.n;
    // Nesting deep enough to exhaust a stack is refused, not followed.
    const std::string deep(200, '('), negations = std::string(100000, '!') + "n";
    std::string conditions;
    for (int i = 0; i < 100000; ++i) conditions += "n?";
    for (const std::string& broken : {std::string(), std::string("n ?"), std::string("(n"), std::string("n %"),
                                      std::string("n % 0"), std::string("x"), std::string("n != 1)"), deep, negations,
                                      conditions})
        EXPECT_FALSE(evaluatePluralRule(broken, 3)) << broken;
}

TEST(Translation, PatternsTakeTheirArgumentsInAnyOrder) {
    EXPECT_EQ(formatText("cannot read %s: %s", {"a.csv", "gone"}), "cannot read a.csv: gone");
    EXPECT_EQ(formatText("%2$s: %1$s kann nicht gelesen werden", {"a.csv", "weg"}), "weg: a.csv kann nicht gelesen werden");
    EXPECT_EQ(formatText("100 %% of %s, %d stays", {"x"}), "100 % of x, %d stays");
    EXPECT_EQ(formatText("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(formatText("ends in %", {}), "ends in %");
}

TEST(Translation, ACatalogTranslatesUntilTurnedOff) {
    std::string error;
    auto catalog = MessageCatalog::fromBytes(moFile(kGerman), error);
    ASSERT_TRUE(catalog);
    EXPECT_STREQ(tr("Capacity"), "Capacity");
    translateWith(std::move(*catalog));
    EXPECT_STREQ(tr("Capacity"), "Kälteleistung");
    EXPECT_STREQ(trc("list heading", "Length"), "Länge");
    EXPECT_STREQ(tr("Not in the catalog"), "Not in the catalog");
    EXPECT_STREQ(trn("%s row", "%s rows", 2), "%s Zeilen");
    EXPECT_STREQ(trn("%s line", "%s lines", 1), "%s line");
    setTranslator(Translator{});
    EXPECT_STREQ(tr("Capacity"), "Capacity");
    EXPECT_STREQ(trn("%s row", "%s rows", 2), "%s rows");
}

TEST(Translation, LanguageSettingsNameTheCatalogsToTry) {
    using List = std::vector<std::string>;
    EXPECT_EQ(languageCandidates("de_DE.UTF-8"), (List{"de_DE", "de"}));
    EXPECT_EQ(languageCandidates("fr_CA:fr:de"), (List{"fr_CA", "fr", "de"}));
    EXPECT_EQ(languageCandidates("it_IT@euro"), (List{"it_IT", "it"}));
    EXPECT_EQ(languageCandidates("es"), (List{"es"}));
    EXPECT_EQ(languageCandidates("pt-BR"), (List{"pt-BR", "pt"}));
    EXPECT_EQ(languageCandidates("en_US:de"), List{});  // English first: no catalog wanted
    EXPECT_EQ(languageCandidates("de:C"), List{"de"});
    for (const char* none : {"", "C", "POSIX", "C.UTF-8", "en", ":"}) EXPECT_EQ(languageCandidates(none), List{}) << none;
}

}  // namespace
}  // namespace vantrel
