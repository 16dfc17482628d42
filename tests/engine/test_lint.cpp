// Warnings for signature lines that load but are probably mistakes.
#include <gtest/gtest.h>

#include "signature/lint.h"
#include "tests/common/test_support.h"

using testsupport::kHeader;

namespace {

struct ExpectedWarning {
    int line;
    const char* mentions;  // a part of the text that tells the warning's kind
};

struct LintCase {
    const char* name;
    std::string dataLines;  // after the two header lines, so the first is line 3
    std::vector<ExpectedWarning> expected;
};

void PrintTo(const LintCase& c, std::ostream* os) { *os << c.name; }

class LintTable : public ::testing::TestWithParam<LintCase> {};

TEST_P(LintTable, WarnsOnceOnTheLineOfEachMistake) {
    const LintCase& c = GetParam();
    const std::vector<LintWarning> warnings = LintFileIdText(kHeader + c.dataLines);
    std::string all;
    for (const LintWarning& w : warnings) all += std::to_string(w.line) + ": " + w.text + "\n";
    ASSERT_EQ(warnings.size(), c.expected.size()) << all;
    for (size_t i = 0; i < warnings.size(); ++i) {
        EXPECT_EQ(warnings[i].line, c.expected[i].line) << all;
        EXPECT_NE(warnings[i].text.find(c.expected[i].mentions), std::string::npos) << all;
    }
}

// A comment that fills the loader's buffer; whatever follows on its line is read as a line of its own.
const std::string kFullComment = ";" + std::string(1022, '-');

INSTANTIATE_TEST_SUITE_P(
    Lines, LintTable,
    ::testing::Values(
        LintCase{"CleanWithAlternativesCommentsAndCrLf",
                 "; comment\r\n0,4142,0,,AB file,ab\r\n0,4142,0,,AB file,abb\r\n2,43,0,,C file,c\r\n"
                 "0,41,0,,A file,a\r\n",
                 {}},
        LintCase{"LowerCaseDigits", "0,4a,0,,A,a\n", {{3, "lower-case"}}},
        LintCase{"NonHexDigit", "0,4G,0,,A,a\n", {{3, "not a hexadecimal digit"}}},
        LintCase{"OddDigitCount", "0,414,0,,A,a\n", {{3, "odd number of digits"}}},
        LintCase{"NonNumericOffset", "0x10,41,0,,A,a\n", {{3, "not a plain decimal number: it reads as 0"}}},
        LintCase{"NegativeOffset", "-2,41,0,,A,a\n", {{3, "negative"}}},
        LintCase{"PatternPastByte64", "63,41,0,,A,a\n63,4142,0,,B,b\n", {{4, "ends at byte 65"}}},
        LintCase{"EmptyPatternCatchesAll", "0,41,0,,A,a\n5,,0,,Any,any\n0,42,0,,B,b\n", {{4, "empty"}}},
        LintCase{"ExtensionWithSeparator", "0,41,0,,A,a/b\n0,42,0,,B,b\\c\n",
                 {{3, "separator '/'"}, {4, "separator '\\'"}}},
        LintCase{"ExtensionWithSemicolon", "0,41,0,,A,a;b\n", {{3, "';'"}}},
        LintCase{"ExtensionWithBlank", "0,41,0,,A,a \n", {{3, "blank"}}},
        LintCase{"HiddenByAShorterOrShiftedEarlierEntry",
                 "0,41,0,,A,a\n0,41,0,,A,aa\n0,4142,0,,AB,ab\n1,43,0,,C,c\n0,4443,0,,DC,dc\n",
                 {{5, "line 3 (a)"}, {7, "line 6 (c)"}}},
        LintCase{"AlternativeOfTheFirstFittingEntryIsNotHidden",
                 "0,4142,0,,AB,ab\n0,41,0,,A,a\n0,4142,0,,AB,abb\n", {}},
        LintCase{"LineLongerThanTheLoaderBuffer", kFullComment + "0,41,0,,A,a\n0,41,0,,A,b\n",
                 {{3, "longer than the 1023 bytes"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShippedTableLint, HasNoWarnings) {
    std::vector<LintWarning> warnings;
    const std::optional<TableDefect> defect =
        LintFileIdData(std::string(QUORVANE_SOURCE_DIR) + "/Quorvane.dat", warnings);
    ASSERT_FALSE(defect.has_value()) << defect->reason;
    for (const LintWarning& w : warnings) ADD_FAILURE() << "Quorvane.dat:" << w.line << ": " << w.text;
}

}  // namespace
