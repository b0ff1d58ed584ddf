// Apostrophe doubling and undoubling.
#include "search/quotes.h"

#include <gtest/gtest.h>

using tarvelo::DoubleQuotes;
using tarvelo::UndoubleQuotes;

struct QuoteCase {
    std::string plain;
    std::string doubled;
};

class Quotes : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quotes, DoubleAndUndoRoundTrip) {
    EXPECT_EQ(DoubleQuotes(GetParam().plain), GetParam().doubled);
    EXPECT_EQ(UndoubleQuotes(GetParam().doubled), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(Texts, Quotes,
                         ::testing::Values(QuoteCase{"", ""}, QuoteCase{"MELBOURNE", "MELBOURNE"},
                                           QuoteCase{"O'CONNOR", "O''CONNOR"}, QuoteCase{"'", "''"},
                                           QuoteCase{"''", "''''"}, QuoteCase{"END'", "END''"},
                                           QuoteCase{"\"q\" \\ \x91\x92\x93\x94 \xC9",
                                                     "\"q\" \\ \x91\x92\x93\x94 \xC9"}));

TEST(Quotes, DoublingIsNotIdempotent) {
    EXPECT_EQ(DoubleQuotes(DoubleQuotes("'")), "''''");
}

struct UndoubleCase {
    std::string in;
    std::string out;
};

class Undouble : public ::testing::TestWithParam<UndoubleCase> {};

TEST_P(Undouble, PairsDoNotOverlap) {
    EXPECT_EQ(UndoubleQuotes(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Texts, Undouble,
                         ::testing::Values(UndoubleCase{"O''NEIL", "O'NEIL"},
                                           UndoubleCase{"O'NEIL", "O'NEIL"},
                                           UndoubleCase{"'''", "''"}, UndoubleCase{"''''", "''"},
                                           UndoubleCase{"a'b''c", "a'b'c"}));
