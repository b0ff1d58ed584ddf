// The statement a search runs.
#include "search/search_statement.h"

#include <gtest/gtest.h>

using tarvelo::BuildSearchStatement;

struct StatementCase {
    std::string label;
    int field;
    std::string text;
    std::string statement;
};

class SearchStatement : public ::testing::TestWithParam<StatementCase> {};

TEST_P(SearchStatement, IsBuiltFromTheChoices) {
    EXPECT_EQ(BuildSearchStatement(GetParam().label, GetParam().field, GetParam().text),
              GetParam().statement);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SearchStatement,
    ::testing::Values(
        StatementCase{"Equal to", 1, "3000",
                      "SELECT * FROM postcodes WHERE postcode = '3000' ORDER BY suburb, state"},
        StatementCase{"Ends with", 2, "PARK",
                      "SELECT * FROM postcodes WHERE suburb LIKE '%PARK' ORDER BY suburb, state"},
        StatementCase{"Sounds like", 0, "30",
                      "SELECT * FROM postcodes WHERE postcode LIKE '%30%' OR suburb LIKE '%30%' "
                      "OR state LIKE '%30%'"},
        StatementCase{"Equal to", 2, "O'CONNOR",
                      "SELECT * FROM postcodes WHERE suburb = 'O''CONNOR' ORDER BY suburb, state"},
        StatementCase{"Sounds like", 0, "",
                      "SELECT * FROM postcodes WHERE postcode LIKE '%%' OR suburb LIKE '%%' OR "
                      "state LIKE '%%'"},
        StatementCase{"Less than", 3, "VIC",
                      "SELECT * FROM postcodes WHERE state < 'VIC' ORDER BY suburb, state"},
        // No field chosen: the statement is invalid SQL and the search reports it.
        StatementCase{"Equal to", -1, "x",
                      "SELECT * FROM postcodes WHERE  = 'x' ORDER BY suburb, state"}));
