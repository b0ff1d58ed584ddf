#pragma once
// The unhandled-fault report: the fault's code, addresses and the main x86
// registers, written as the text of the report's message box.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::uint32_t kAccessViolation = 0xC0000005;

inline constexpr const char* kReportCaption = "OnError example";

// What the fault filter captures of one fault. targetAddress is the address
// whose access failed, for an access violation only (0 otherwise).
struct FaultRecord {
    std::uint32_t code, address, targetAddress, eax, ebx, ecx, edx, ebp, esi, edi, esp;
};

// The text for an exception code, or "Unknown error code".
std::string_view FaultMessage(std::uint32_t code);

// Whether the code is one of the processor faults that FaultMessage names.
bool IsKnownFault(std::uint32_t code);

// The value read as a signed 32-bit number, in decimal digits.
std::string SignedDecimal(std::uint32_t value);

// The report text: one line per item, each ended by a carriage return alone;
// the Target Address line only for an access violation.
std::string BuildErrorReport(const FaultRecord& fault);

} // namespace tarvelo
