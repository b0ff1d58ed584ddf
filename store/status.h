#pragma once
// Where commands report their outcome: the status line in the program, a
// recorder in tests.
#include <string_view>

namespace tarvelo {

enum StatusKind { StatusInfo = 1, StatusError = 2 };

class StatusLine {
  public:
    virtual ~StatusLine() = default;
    // Writes "Info: " or "Error: " and text; any other kind writes nothing.
    virtual void ShowStatus(int kind, std::string_view text) = 0;
};

} // namespace tarvelo
