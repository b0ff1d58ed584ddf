// Reading the postcode file: line ends, fields, cleaning and skipped lines.
#include "store/csv_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using namespace tarvelo;
using namespace std::string_literals;

namespace {

// Yields at most one byte per read, so that every line end and every CR's
// look-ahead crosses a buffer refill.
class TrickleSource : public ByteSource {
  public:
    explicit TrickleSource(std::string_view bytes) : whole_(bytes) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        return whole_.Read(buffer, std::min<std::size_t>(size, 1));
    }

  private:
    MemorySource whole_;
};

std::vector<std::string> ReadAllLines(ByteSource& source) {
    LineReader reader(source);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(line, "");
    EXPECT_FALSE(reader.ReadLine(line)); // the end stays the end
    return lines;
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

std::ostream& operator<<(std::ostream& out, const LineCase& c) {
    return out << c.name;
}

class Lines : public ::testing::TestWithParam<LineCase> {};

TEST_P(Lines, SplitAtEveryLineEndKind) {
    MemorySource whole(GetParam().bytes);
    EXPECT_EQ(ReadAllLines(whole), GetParam().lines);
    TrickleSource trickle(GetParam().bytes);
    EXPECT_EQ(ReadAllLines(trickle), GetParam().lines);
}

const std::string kLongLine(100000, 'x');
// A CR that is the last byte of the first buffer, its LF the first of the next.
const std::string kAcrossBuffer(LineReader::kBufferSize - 1, 'a');

INSTANTIATE_TEST_SUITE_P(
    Bytes, Lines,
    ::testing::Values(LineCase{"Empty", "", {}}, LineCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      LineCase{"Lf", "a\nb\n", {"a", "b"}}, LineCase{"Cr", "a\rb\r", {"a", "b"}},
                      LineCase{"Nul", "a\0b\0"s, {"a", "b"}},
                      LineCase{"MixedEnds", "a\r\nb\nc\rd\0e"s, {"a", "b", "c", "d", "e"}},
                      LineCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                      LineCase{"CrCrIsTwoEnds", "a\r\rb", {"a", "", "b"}},
                      LineCase{"CrLfLfIsTwoEnds", "a\r\n\nb", {"a", "", "b"}},
                      LineCase{"CrAsLastByte", "a\r", {"a"}}, LineCase{"LoneLineEnd", "\n", {""}},
                      LineCase{"LastLineWithoutEnd", "a\r\nlast", {"a", "last"}},
                      LineCase{"EmptyLinesKept", "\r\n\r\nx", {"", "", "x"}},
                      LineCase{"LongLine", kLongLine + "\r\nnext", {kLongLine, "next"}},
                      LineCase{"CrLfAcrossBuffers", kAcrossBuffer + "\r\nb", {kAcrossBuffer, "b"}},
                      LineCase{"OtherBytesKept", "\t\x01\xFF\x7F", {"\t\x01\xFF\x7F"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FieldCase {
    std::string line;
    int number;
    std::string field;
};

class Fields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Fields, CutAtEveryComma) {
    EXPECT_EQ(Field(GetParam().line, GetParam().number), GetParam().field)
        << "field " << GetParam().number << " of \"" << GetParam().line << "\"";
}

INSTANTIATE_TEST_SUITE_P(Lines, Fields,
                         ::testing::Values(FieldCase{"3000,MELBOURNE,VIC", 1, "3000"},
                                           FieldCase{"3000,MELBOURNE,VIC", 2, "MELBOURNE"},
                                           FieldCase{"3000,MELBOURNE,VIC", 3, "VIC"},
                                           FieldCase{"3000,MELBOURNE,VIC", 4, ""},
                                           FieldCase{"a,,c", 2, ""}, FieldCase{"a,b,", 3, ""},
                                           FieldCase{",b", 1, ""}, FieldCase{" a , b ", 2, " b "},
                                           FieldCase{"\"x,y\"", 2, "y\""}, FieldCase{"", 1, ""},
                                           FieldCase{"abc", 1, "abc"}, FieldCase{"abc", 2, ""}));

struct CleanCase {
    std::string field;
    std::string value;
};

class Cleaning : public ::testing::TestWithParam<CleanCase> {};

TEST_P(Cleaning, UndoublesApostrophesThenRemovesDoubleQuotes) {
    EXPECT_EQ(CleanValue(GetParam().field), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Cleaning,
    ::testing::Values(CleanCase{"\"MELBOURNE\"", "MELBOURNE"}, CleanCase{"12\"34", "1234"},
                      CleanCase{"O''NEIL", "O'NEIL"}, CleanCase{"O'NEIL", "O'NEIL"},
                      CleanCase{"\"O''NEIL\"", "O'NEIL"},
                      // Quotes go only after the apostrophes were undoubled.
                      CleanCase{"O'\"'NEIL", "O''NEIL"}, CleanCase{"\"\"\"\"", ""},
                      CleanCase{" 3000", " 3000"}, CleanCase{"0800", "0800"}));

struct RecordCase {
    const char* name;
    std::string bytes;
    std::vector<std::vector<std::string>> records;
};

std::ostream& operator<<(std::ostream& out, const RecordCase& c) {
    return out << c.name;
}

class Records : public ::testing::TestWithParam<RecordCase> {};

TEST_P(Records, AreTheFirstThreeCleanedFields) {
    MemorySource source(GetParam().bytes);
    RecordReader reader(source);
    PostcodeRecord record;
    std::vector<std::vector<std::string>> records;
    while (reader.Next(record)) {
        records.push_back({record.postcode, record.suburb, record.state});
    }
    EXPECT_EQ(records, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Records,
    ::testing::Values(
        RecordCase{"AustraliaPostLine",
                   "\"Pcode\",\"Locality\",\"State\",\"Comments\"\r\n"
                   "\"0800\",\"DARWIN\",\"NT\",,\"DARWIN DELIVERY CENTRE\"\r\n",
                   {{"0800", "DARWIN", "NT"}}},
        RecordCase{"ByteOrderMarkStaysInTheFirstField",
                   "\xEF\xBB\xBF"
                   "3000,MELBOURNE,VIC",
                   {{"\xEF\xBB\xBF"
                     "3000",
                     "MELBOURNE", "VIC"}}},
        RecordCase{"QuotedCommaSplits",
                   "\"3000\",\"MELBOURNE, CITY\",\"VIC\"",
                   {{"3000", "MELBOURNE", " CITY"}}},
        RecordCase{"ApostrophesAndQuotes",
                   "2000,O''NEIL,NSW\n2001,O'NEIL,NSW\n12\"34,X,Y",
                   {{"2000", "O'NEIL", "NSW"}, {"2001", "O'NEIL", "NSW"}, {"1234", "X", "Y"}}},
        RecordCase{"SpacesKept", " 3000 , MELBOURNE,VIC ", {{" 3000 ", " MELBOURNE", "VIC "}}},
        RecordCase{"TwoFieldsGiveAnEmptyState", "3000,MELBOURNE", {{"3000", "MELBOURNE", ""}}},
        RecordCase{"FieldsBeyondTheThirdIgnored", "1,2,3,4,5", {{"1", "2", "3"}}},
        RecordCase{"HeadingSkipped", "Pcode,Locality,State\n3000,A,B", {{"3000", "A", "B"}}},
        RecordCase{"QuotedHeadingSkipped",
                   "\"postcode\",\"suburb\",\"state\"\n3000,A,B",
                   {{"3000", "A", "B"}}},
        RecordCase{
            "HeadingInAnyCaseAndSpacesSkipped", " POSTCODE ,X,Y\n3000,A,B", {{"3000", "A", "B"}}},
        RecordCase{"HeadingOnlyAsTheFirstLine",
                   "3000,A,B\nPcode,Locality,State",
                   {{"3000", "A", "B"}, {"Pcode", "Locality", "State"}}},
        RecordCase{"HeadingAfterAnEmptyFirstLineKept", "\nPcode,L,S", {{"Pcode", "L", "S"}}},
        RecordCase{"NotAHeading", "Pcodes,A,B\n", {{"Pcodes", "A", "B"}}},
        RecordCase{"EmptyLinesSkipped",
                   "\r\n3000,A,B\r\n\r\n,,\r\n\"\",\"\",\"\",x\r\n3001,C,D\r\n",
                   {{"3000", "A", "B"}, {"3001", "C", "D"}}},
        RecordCase{"SpacesAreNotEmpty", " ,,", {{" ", "", ""}}}, RecordCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordReader, RecordHoldsTheLastLineRead) {
    MemorySource source("3000,A,B\r\n3001,O''C,D\r\n");
    RecordReader reader(source);
    PostcodeRecord record;
    while (reader.Next(record)) {
    }
    EXPECT_EQ(record.postcode, "3001");
    EXPECT_EQ(record.suburb, "O'C");
    EXPECT_EQ(record.state, "D");
}

} // namespace
