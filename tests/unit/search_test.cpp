// Searches run against a small table: every comparison on every field,
// checked against an independent model of what each comparison keeps.
#include "search/clipboard_line.h"
#include "search/search.h"
#include "search/search_statement.h"
#include "store/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

const std::vector<PostcodeRecord> kRows = {
    {"3000", "MELBOURNE", "VIC"}, {"0800", "DARWIN", "NT"},
    {"800", "DARWIN", "NT"},      {"3010", "UNIVERSITY OF MELBOURNE", "VIC"},
    {"2602", "O'CONNOR", "ACT"},  {"3030", "WERRIBEE 30", "VIC"},
    {"4000", "BRISBANE", "QLD"},  {"3000", "melbourne", "VIC"},
    {"2600", "CANBERRA", "ACT"},  {"0872", "ALICE SPRINGS", "NT"},
    {"3000", "MELBOURNE", "ACT"}, // same suburb, other state: sorts by state
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// What each comparison keeps, written independently of the SQL it becomes.
bool Keeps(const std::string& label, const std::string& value, const std::string& text) {
    const std::string v = Lower(value);
    const std::string t = Lower(text);
    if (label == "Equal to")
        return value == text;
    if (label == "Does not equal")
        return value != text;
    if (label == "Greater than")
        return value > text;
    if (label == "Greater than or equal to")
        return value >= text;
    if (label == "Less than")
        return value < text;
    if (label == "Less than or equal to")
        return value <= text;
    if (label == "Starts with")
        return v.compare(0, t.size(), t) == 0;
    if (label == "Ends with")
        return v.size() >= t.size() && v.compare(v.size() - t.size(), t.size(), t) == 0;
    if (label == "Sounds like")
        return v.find(t) != std::string::npos;
    return false;
}

std::string Key(const PostcodeRecord& r) {
    return r.postcode + "|" + r.suburb + "|" + r.state;
}

class SearchTable : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "tarvelo_search_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ptk";
        std::remove(path_.c_str());
        std::ofstream(path_, std::ios::binary).flush();
        connection_ = OpenConnection(path_);
        ASSERT_TRUE(ExecuteUpdate(connection_, kCreateTableStatement));
        for (const auto& r : kRows) {
            std::string suburb;
            for (char c : r.suburb) {
                suburb += c;
                if (c == '\'')
                    suburb += c;
            }
            ASSERT_TRUE(ExecuteUpdate(connection_, "INSERT INTO postcodes VALUES('" + r.postcode +
                                                       "','" + suburb + "','" + r.state + "')"));
        }
    }
    void TearDown() override {
        CloseConnection(connection_);
        std::remove(path_.c_str());
    }

    std::vector<PostcodeRecord> Search(const std::string& label, int field, const std::string& text,
                                       int* count = nullptr) {
        std::vector<PostcodeRecord> rows;
        const int n = RunSearchQuery(connection_, BuildSearchStatement(label, field, text), record_,
                                     [&](const PostcodeRecord& r) { rows.push_back(r); });
        if (count != nullptr)
            *count = n;
        return rows;
    }

    std::string path_;
    DatabaseConnection connection_;
    PostcodeRecord record_;
};

const char* const kLabels[] = {"Sounds like",
                               "Equal to",
                               "Does not equal",
                               "Greater than",
                               "Greater than or equal to",
                               "Less than",
                               "Less than or equal to",
                               "Starts with",
                               "Ends with"};

} // namespace

TEST_F(SearchTable, EveryComparisonOnEveryFieldKeepsWhatItMeans) {
    const std::vector<std::string> texts = {"3000", "MELBOURNE", "melbourne", "NT", "30", ""};
    for (const char* label : kLabels) {
        for (int field = 0; field <= 3; ++field) {
            for (const std::string& text : texts) {
                SCOPED_TRACE(std::string(label) + " / field " + std::to_string(field) + " / '" +
                             text + "'");
                std::vector<PostcodeRecord> expected;
                for (const auto& r : kRows) {
                    const bool keep = field == 0 ? Keeps(label, r.postcode, text) ||
                                                       Keeps(label, r.suburb, text) ||
                                                       Keeps(label, r.state, text)
                                                 : Keeps(label,
                                                         field == 1   ? r.postcode
                                                         : field == 2 ? r.suburb
                                                                      : r.state,
                                                         text);
                    if (keep)
                        expected.push_back(r);
                }
                int count = 0;
                std::vector<PostcodeRecord> rows = Search(label, field, text, &count);
                EXPECT_EQ(count, static_cast<int>(rows.size()));
                std::vector<std::string> got;
                std::vector<std::string> want;
                if (field == 0) {
                    // All fields: no order imposed, each row once.
                    for (const auto& r : rows)
                        got.push_back(Key(r));
                    for (const auto& r : expected)
                        want.push_back(Key(r));
                    std::sort(got.begin(), got.end());
                    std::sort(want.begin(), want.end());
                } else {
                    // One field: by suburb, then state, in byte order.
                    std::stable_sort(expected.begin(), expected.end(),
                                     [](const PostcodeRecord& a, const PostcodeRecord& b) {
                                         return std::tie(a.suburb, a.state) <
                                                std::tie(b.suburb, b.state);
                                     });
                    for (const auto& r : rows)
                        got.push_back(r.suburb + "|" + r.state);
                    for (const auto& r : expected)
                        want.push_back(r.suburb + "|" + r.state);
                }
                EXPECT_EQ(got, want);
            }
        }
    }
}

TEST_F(SearchTable, ApostrophesRoundTripAsStored) {
    std::vector<PostcodeRecord> rows = Search("Equal to", 2, "O'CONNOR");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].suburb, "O'CONNOR");
    EXPECT_EQ(record_.suburb, "O'CONNOR"); // the shared record holds the last row as stored
    EXPECT_EQ(record_.postcode, "2602");
    EXPECT_EQ(MatchesMessage(1, "O'CONNOR"), "1 matches found for O'CONNOR");
    EXPECT_EQ(ClipboardLine(rows[0].postcode, rows[0].suburb, rows[0].state),
              "O'CONNOR  ACT  2602");
}

TEST_F(SearchTable, ComparisonsAreTextual) {
    std::vector<std::string> postcodes;
    for (const auto& r : Search("Less than", 1, "3000"))
        postcodes.push_back(r.postcode);
    EXPECT_NE(std::find(postcodes.begin(), postcodes.end(), "0800"), postcodes.end());
    EXPECT_EQ(std::find(postcodes.begin(), postcodes.end(), "800"), postcodes.end());
    // LIKE wildcards widen a search; "=" is case-sensitive, LIKE is not.
    EXPECT_EQ(Search("Sounds like", 1, "30_0").size(), 5u); // 3000 x3, 3010, 3030
    EXPECT_EQ(Search("Equal to", 2, "MELBOURNE").size(), 2u);
    EXPECT_EQ(Search("Sounds like", 2, "melbourne").size(), 4u);
}

TEST_F(SearchTable, EmptyTextWithSoundsLikeListsEveryRowOnce) {
    int count = 0;
    EXPECT_EQ(Search("Sounds like", 0, "", &count).size(), kRows.size());
    EXPECT_EQ(count, static_cast<int>(kRows.size()));
    EXPECT_EQ(MatchesMessage(count, ""), std::to_string(kRows.size()) + " matches found for ");
}

TEST_F(SearchTable, ASearchThatKeepsNoRowCountsZero) {
    int count = -5;
    record_ = {"keep", "these", "values"};
    EXPECT_TRUE(Search("Equal to", 2, "ZZZ", &count).empty());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(record_.postcode, "keep"); // left as it was
    EXPECT_EQ(MatchesMessage(0, "ZZZ"), "0 matches found for ZZZ");
    EXPECT_FALSE(connection_.HasStatement());
}

TEST_F(SearchTable, AStatementThatCannotRunFails) {
    int count = 0;
    Search("Equal to", -1, "x", &count); // no field chosen: invalid SQL
    EXPECT_EQ(count, kSearchFailed);
    ASSERT_TRUE(ExecuteUpdate(connection_, "DROP TABLE postcodes"));
    Search("Sounds like", 0, "", &count);
    EXPECT_EQ(count, kSearchFailed);
}

TEST(SearchWithoutConnection, Fails) {
    DatabaseConnection none;
    PostcodeRecord record;
    int rows = 0;
    EXPECT_EQ(RunSearchQuery(none, BuildSearchStatement("Sounds like", 0, ""), record,
                             [&](const PostcodeRecord&) { ++rows; }),
              kSearchFailed);
    EXPECT_EQ(rows, 0);
}

TEST(CopyTexts, LineAndConfirmation) {
    EXPECT_EQ(ClipboardLine("3000", "MELBOURNE", "VIC"), "MELBOURNE  VIC  3000");
    EXPECT_EQ(ClipboardLine("3000", "MELBOURNE", ""), "MELBOURNE    3000");
    EXPECT_EQ(CopyConfirmation("MELBOURNE  VIC  3000"),
              "<\xB0)))o><\xB2\xB3  MELBOURNE  VIC  3000, Copied to the clipboard");
}
