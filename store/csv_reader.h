#pragma once
// Reading the postcode file: lines through a 4096-byte buffer, fields cut at
// commas without quoting rules, and the cleaning of each value.
#include "store/postcode_record.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvelo {

// A source of bytes read front to back: the chosen file in the program, a
// text in tests.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills buffer with up to size bytes and yields how many; 0 means the
    // end of the source or a read error.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Whether reading stopped at a read error rather than at the end.
    virtual bool Failed() const { return false; }
};

// The bytes of a text, read in pieces of the asked size.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t Read(char* buffer, std::size_t size) override;

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// Reads lines from a source. CR LF, LF, CR and a zero byte each end a line and
// are not part of it; after a CR, a byte other than LF starts the next line.
// Lines have no length limit; a last line without a line end is read whole,
// and nothing follows a last line end.
class LineReader {
  public:
    static constexpr std::size_t kBufferSize = 4096;

    explicit LineReader(ByteSource& source) : source_(source) {}
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Reads the next line into line; false, with line empty, when no byte is
    // left to read.
    bool ReadLine(std::string& line);

  private:
    // Makes at least one unread byte available; false at the end.
    bool Fill();

    ByteSource& source_;
    char buffer_[kBufferSize];
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    bool ended_ = false;
};

// Field number (from 1) of line: the text between the (number-1)-th and the
// number-th comma; the empty text beyond the last field.
std::string_view Field(std::string_view line, int number);

// A field as it is stored: doubled apostrophes undone, then every double
// quote removed.
std::string CleanValue(std::string_view field);

// Reads the records of a postcode file: the cleaned first three fields of
// every line. The heading line (a first line whose postcode, ignoring
// surrounding spaces, is "Pcode" or "postcode" in any letter case) and lines
// whose three values are all empty are skipped.
class RecordReader {
  public:
    explicit RecordReader(ByteSource& source) : lines_(source) {}

    // Reads the next record into record; false when the source is used up.
    // record holds the values of the last line read either way.
    bool Next(PostcodeRecord& record);

  private:
    LineReader lines_;
    std::string line_;
    bool first_ = true;
};

// Whether a cleaned postcode value is that of the file's heading.
bool IsHeadingPostcode(std::string_view postcode);

} // namespace tarvelo
