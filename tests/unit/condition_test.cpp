// Comparison labels to SQL fragments.
#include "search/condition.h"

#include <gtest/gtest.h>

using tarvelo::BuildCondition;

struct ConditionCase {
    std::string label;
    std::string text;
    std::string fragment;
};

class Condition : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(Condition, BuildsTheFragment) {
    EXPECT_EQ(BuildCondition(GetParam().label, GetParam().text), GetParam().fragment);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, Condition,
    ::testing::Values(ConditionCase{"Equal to", "3000", " = '3000'"},
                      ConditionCase{"Does not equal", "3000", " <> '3000'"},
                      ConditionCase{"Greater than", "3000", " > '3000'"},
                      ConditionCase{"Greater than or equal to", "3000", " >= '3000'"},
                      ConditionCase{"Less than", "3000", " < '3000'"},
                      ConditionCase{"Less than or equal to", "3000", " <= '3000'"},
                      ConditionCase{"Starts with", "VIC", " LIKE 'VIC%'"},
                      ConditionCase{"Ends with", "VIC", " LIKE '%VIC'"},
                      ConditionCase{"Sounds like", "VIC", " LIKE '%VIC%'"},
                      ConditionCase{"Equal to", "", " = ''"},
                      ConditionCase{"Starts with", "", " LIKE '%'"},
                      ConditionCase{"Ends with", "", " LIKE '%'"},
                      ConditionCase{"Sounds like", "", " LIKE '%%'"},
                      ConditionCase{"Equal to", "a''b", " = 'a''b'"},
                      ConditionCase{"Sounds like", "30_0", " LIKE '%30_0%'"},
                      // Labels are matched exactly: case, blanks and empty all miss.
                      ConditionCase{"equal to", "3000", ""}, ConditionCase{"Equal to ", "3000", ""},
                      ConditionCase{"", "3000", ""}));
