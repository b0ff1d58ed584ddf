#pragma once
#include "store/csv_reader.h"

#include <windows.h>

namespace tarvelo {

// The chosen file's bytes, read with ReadFile.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(HANDLE file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    bool Failed() const override { return failed_; }

  private:
    HANDLE file_;
    bool failed_ = false;
};

// Asks for the postcode file with the file-open dialog; "" when the user
// cancelled or the dialog failed.
std::string AskForPostcodeFile();

} // namespace tarvelo
