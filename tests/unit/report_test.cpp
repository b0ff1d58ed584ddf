// The text of the unhandled-fault report.
#include "crash/report.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

using tarvelo::BuildErrorReport;
using tarvelo::FaultMessage;
using tarvelo::FaultRecord;
using tarvelo::IsKnownFault;
using tarvelo::SignedDecimal;

namespace {

// The report cut at its carriage returns; every line must end in one.
std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find('\r', start)) != std::string::npos; start = end + 1) {
        lines.push_back(report.substr(start, end - start));
    }
    EXPECT_EQ(start, report.size()) << "text after the last carriage return";
    return lines;
}

// Registers with a different value each, so that a swapped line shows.
FaultRecord FaultWithCode(std::uint32_t code) {
    return FaultRecord{code,       0x00401234, 0x00000010, 0,          0x7FFFFFFF, 0x80000000,
                       0xFFFFFFFF, 0x0022FF70, 1,          0xFFFFFFFE, 0x0022FF00};
}

const std::vector<std::string> kRegisterLines = {
    "Register content:", "EAX = \t0", "EBX = \t2147483647", "ECX = \t-2147483648", "EDX = \t-1",
    "EBP = \t2293616",   "ESI = \t1", "EDI = \t-2",         "ESP = \t2293504",
};

} // namespace

TEST(ErrorReport, AccessViolationNamesTheTargetAddress) {
    const std::string expected = "A program error has been detected:\r"
                                 "\r"
                                 "Error Message: \tInvalid memory access\r"
                                 "Error Code: \t-1073741819\r"
                                 "Code Address:\t4198964\r"
                                 "Target Address:  \t16\r"
                                 "Sourcecode line: Enable OnError lines support to get code "
                                 "line information.\r"
                                 "\r"
                                 "Register content:\r"
                                 "EAX = \t0\r"
                                 "EBX = \t2147483647\r"
                                 "ECX = \t-2147483648\r"
                                 "EDX = \t-1\r"
                                 "EBP = \t2293616\r"
                                 "ESI = \t1\r"
                                 "EDI = \t-2\r"
                                 "ESP = \t2293504\r";
    const std::string report = BuildErrorReport(FaultWithCode(0xC0000005));
    EXPECT_EQ(report, expected);
    EXPECT_EQ(Lines(report).size(), 17u);
    EXPECT_EQ(report.find('\n'), std::string::npos);
}

TEST(ErrorReport, AccessViolationAtAddressZero) {
    FaultRecord fault = FaultWithCode(0xC0000005);
    fault.targetAddress = 0;
    EXPECT_EQ(Lines(BuildErrorReport(fault)).at(5), "Target Address:  \t0");
}

// Every code but the access violation: 16 lines, the message and code as
// given, and no Target Address line even when the record holds one.
struct OtherFaultCase {
    std::uint32_t code;
    std::string message;
    std::string codeLine;
};

std::ostream& operator<<(std::ostream& out, const OtherFaultCase& c) {
    return out << std::hex << std::showbase << c.code;
}

class OtherFaultReport : public ::testing::TestWithParam<OtherFaultCase> {};

TEST_P(OtherFaultReport, HasNoTargetAddressLine) {
    const std::vector<std::string> lines = Lines(BuildErrorReport(FaultWithCode(GetParam().code)));
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], "A program error has been detected:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Error Message: \t" + GetParam().message);
    EXPECT_EQ(lines[3], "Error Code: \t" + GetParam().codeLine);
    EXPECT_EQ(lines[4], "Code Address:\t4198964");
    EXPECT_EQ(lines[5],
              "Sourcecode line: Enable OnError lines support to get code line information.");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.end()), kRegisterLines);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, OtherFaultReport,
    ::testing::Values(OtherFaultCase{0xC0000094, "Division by zero ", "-1073741676"},
                      OtherFaultCase{0x80000003, "Debugger breakpoint reached", "-2147483645"},
                      OtherFaultCase{0xC00000FD, "Stack overflow", "-1073741571"},
                      OtherFaultCase{0xE06D7363, "Unknown error code", "-529697949"},
                      OtherFaultCase{0x00000000, "Unknown error code", "0"},
                      OtherFaultCase{0xC0000004, "Unknown error code", "-1073741820"}));

// The whole table, with each code as the Error Code line shows it.
struct MessageCase {
    std::uint32_t code;
    const char* text;
    const char* shownAs;
};

std::ostream& operator<<(std::ostream& out, const MessageCase& c) {
    return out << std::hex << std::showbase << c.code;
}

class FaultMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FaultMessages, TextAndSignedCode) {
    EXPECT_EQ(FaultMessage(GetParam().code), GetParam().text);
    EXPECT_EQ(SignedDecimal(GetParam().code), GetParam().shownAs);
    EXPECT_EQ(IsKnownFault(GetParam().code), GetParam().text != std::string("Unknown error code"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FaultMessages,
    ::testing::Values(
        MessageCase{0xC0000005, "Invalid memory access", "-1073741819"},
        MessageCase{0xC000008C, "Array bounds exceeded", "-1073741684"},
        MessageCase{0x80000003, "Debugger breakpoint reached", "-2147483645"},
        MessageCase{0x80000002, "Misaligned data access", "-2147483646"},
        MessageCase{0xC000008D, "Denormal floating-point operand", "-1073741683"},
        MessageCase{0xC000008E, "Division by zero (floating-point)", "-1073741682"},
        MessageCase{0xC000008F, "Inexact floating-point result", "-1073741681"},
        MessageCase{0xC0000090, "Invalid floating-point operation", "-1073741680"},
        MessageCase{0xC0000091, "Floating-point overflow (exponent to great)", "-1073741679"},
        MessageCase{0xC0000092, "Floating-point stack overflow or underflow", "-1073741678"},
        MessageCase{0xC0000093, "Floating-point underflow (exponent too small)", "-1073741677"},
        MessageCase{0xC000001D, "Illegal instruction", "-1073741795"},
        MessageCase{0xC0000006, "Memory page error", "-1073741818"},
        MessageCase{0xC0000094, "Division by zero ", "-1073741676"},
        MessageCase{0xC0000095, "Integer overflow", "-1073741675"},
        MessageCase{0xC0000026, "Exception handler returned unknown value", "-1073741786"},
        MessageCase{0xC0000025,
                    "Exception handler tried to continue after non-continuable exception",
                    "-1073741787"},
        MessageCase{0xC0000096, "Privileged instruction", "-1073741674"},
        MessageCase{0x80000004, "Single step trap", "-2147483644"},
        MessageCase{0xC00000FD, "Stack overflow", "-1073741571"},
        // Neighbours of table entries are not in it.
        MessageCase{0xC0000007, "Unknown error code", "-1073741817"},
        MessageCase{0x80000001, "Unknown error code", "-2147483647"},
        MessageCase{0x40010006, "Unknown error code", "1073807366"}));

struct DecimalCase {
    std::uint32_t value;
    const char* text;
};

std::ostream& operator<<(std::ostream& out, const DecimalCase& c) {
    return out << std::hex << std::showbase << c.value;
}

class SignedDecimals : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(SignedDecimals, ReadsTheValueAsSigned) {
    EXPECT_EQ(SignedDecimal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SignedDecimals,
    ::testing::Values(DecimalCase{0, "0"}, DecimalCase{1, "1"}, DecimalCase{10, "10"},
                      DecimalCase{0x7FFFFFFF, "2147483647"}, DecimalCase{0x80000000, "-2147483648"},
                      DecimalCase{0x80000001, "-2147483647"}, DecimalCase{0xFFFFFFFF, "-1"},
                      DecimalCase{0xFFFFFFF6, "-10"}));

// Each register's value reaches its own line, for the boundary values.
class RegisterLines : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(RegisterLines, EveryRegisterShowsTheValue) {
    const std::uint32_t v = GetParam().value;
    const std::vector<std::string> lines =
        Lines(BuildErrorReport(FaultRecord{0xC0000094, 0, 0, v, v, v, v, v, v, v, v}));
    ASSERT_EQ(lines.size(), 16u);
    const std::string value = GetParam().text;
    const char* names[] = {"EAX", "EBX", "ECX", "EDX", "EBP", "ESI", "EDI", "ESP"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(lines[8 + i], std::string(names[i]) + " = \t" + value);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RegisterLines,
                         ::testing::Values(DecimalCase{0, "0"},
                                           DecimalCase{0x7FFFFFFF, "2147483647"},
                                           DecimalCase{0x80000000, "-2147483648"},
                                           DecimalCase{0xFFFFFFFF, "-1"}));
