#include "crash/report.h"

#include <cstdint>

namespace tarvelo {

namespace {

struct FaultText {
    std::uint32_t code;
    std::string_view text;
};

constexpr FaultText kFaultTexts[] = {
    {0xC0000005, "Invalid memory access"},
    {0xC000008C, "Array bounds exceeded"},
    {0x80000003, "Debugger breakpoint reached"},
    {0x80000002, "Misaligned data access"},
    {0xC000008D, "Denormal floating-point operand"},
    {0xC000008E, "Division by zero (floating-point)"},
    {0xC000008F, "Inexact floating-point result"},
    {0xC0000090, "Invalid floating-point operation"},
    {0xC0000091, "Floating-point overflow (exponent to great)"},
    {0xC0000092, "Floating-point stack overflow or underflow"},
    {0xC0000093, "Floating-point underflow (exponent too small)"},
    {0xC000001D, "Illegal instruction"},
    {0xC0000006, "Memory page error"},
    {0xC0000094, "Division by zero "},
    {0xC0000095, "Integer overflow"},
    {0xC0000026, "Exception handler returned unknown value"},
    {0xC0000025, "Exception handler tried to continue after non-continuable exception"},
    {0xC0000096, "Privileged instruction"},
    {0x80000004, "Single step trap"},
    {0xC00000FD, "Stack overflow"},
};

void AppendLine(std::string& report, std::string_view label, std::uint32_t value) {
    report.append(label);
    report.append(SignedDecimal(value));
    report.push_back('\r');
}

const FaultText* FindFault(std::uint32_t code) {
    for (const FaultText& entry : kFaultTexts) {
        if (entry.code == code) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

std::string_view FaultMessage(std::uint32_t code) {
    const FaultText* entry = FindFault(code);
    return entry != nullptr ? entry->text : "Unknown error code";
}

bool IsKnownFault(std::uint32_t code) {
    return FindFault(code) != nullptr;
}

std::string SignedDecimal(std::uint32_t value) {
    // Two's complement by arithmetic, so that no narrowing conversion is
    // relied on.
    std::int64_t number = value;
    if (value >= 0x80000000u) {
        number -= std::int64_t{1} << 32;
    }
    return std::to_string(number);
}

std::string BuildErrorReport(const FaultRecord& fault) {
    std::string report;
    report.reserve(512);
    report.append("A program error has been detected:\r");
    report.append("\r");
    report.append("Error Message: \t");
    report.append(FaultMessage(fault.code));
    report.push_back('\r');
    AppendLine(report, "Error Code: \t", fault.code);
    AppendLine(report, "Code Address:\t", fault.address);
    if (fault.code == kAccessViolation) {
        AppendLine(report, "Target Address:  \t", fault.targetAddress);
    }
    report.append("Sourcecode line: Enable OnError lines support to get code line information.\r");
    report.append("\r");
    report.append("Register content:\r");
    AppendLine(report, "EAX = \t", fault.eax);
    AppendLine(report, "EBX = \t", fault.ebx);
    AppendLine(report, "ECX = \t", fault.ecx);
    AppendLine(report, "EDX = \t", fault.edx);
    AppendLine(report, "EBP = \t", fault.ebp);
    AppendLine(report, "ESI = \t", fault.esi);
    AppendLine(report, "EDI = \t", fault.edi);
    AppendLine(report, "ESP = \t", fault.esp);
    return report;
}

} // namespace tarvelo
