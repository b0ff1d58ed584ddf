#include "store/csv_reader.h"

#include "search/quotes.h"

#include <algorithm>

namespace tarvelo {

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, bytes_.size() - position_);
    bytes_.copy(buffer, count, position_);
    position_ += count;
    return count;
}

bool LineReader::Fill() {
    if (position_ < size_) {
        return true;
    }
    if (ended_) {
        return false;
    }
    position_ = 0;
    size_ = std::min(source_.Read(buffer_, kBufferSize), kBufferSize);
    // A file that yields nothing once is not asked again: a read error ends
    // the file like its end does.
    ended_ = size_ == 0;
    return !ended_;
}

bool LineReader::ReadLine(std::string& line) {
    line.clear();
    if (!Fill()) {
        return false;
    }
    for (;;) {
        // Take the bytes up to the next line end, or the rest of the buffer,
        // in one piece.
        const char* const start = buffer_ + position_;
        const char* const end = buffer_ + size_;
        const char* stop = start;
        while (stop != end && *stop != '\n' && *stop != '\r' && *stop != '\0') {
            ++stop;
        }
        line.append(start, stop);
        position_ = static_cast<std::size_t>(stop - buffer_);
        if (stop == end) {
            if (!Fill()) {
                return true;
            }
            continue;
        }
        ++position_;
        // A CR followed by LF is one line end; any other byte after a CR stays
        // unread and starts the next line.
        if (*stop == '\r' && Fill() && buffer_[position_] == '\n') {
            ++position_;
        }
        return true;
    }
}

std::string_view Field(std::string_view line, int number) {
    if (number < 1) {
        return {};
    }
    std::size_t start = 0;
    for (int k = 1; k < number; ++k) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            return {};
        }
        start = comma + 1;
    }
    const std::size_t comma = line.find(',', start);
    return line.substr(start,
                       comma == std::string_view::npos ? line.size() - start : comma - start);
}

std::string CleanValue(std::string_view field) {
    std::string value = UndoubleQuotes(field);
    value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
    return value;
}

bool IsHeadingPostcode(std::string_view postcode) {
    const std::size_t first = postcode.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    const std::string_view word =
        postcode.substr(first, postcode.find_last_not_of(' ') + 1 - first);
    // Letter case is folded for ASCII letters only, whatever the locale.
    const auto equalsFolded = [word](std::string_view lower) {
        return std::equal(word.begin(), word.end(), lower.begin(), lower.end(),
                          [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
    };
    return equalsFolded("pcode") || equalsFolded("postcode");
}

bool RecordReader::Next(PostcodeRecord& record) {
    while (lines_.ReadLine(line_)) {
        record.postcode = CleanValue(Field(line_, 1));
        record.suburb = CleanValue(Field(line_, 2));
        record.state = CleanValue(Field(line_, 3));
        const bool heading = first_ && IsHeadingPostcode(record.postcode);
        first_ = false;
        const bool empty = record.postcode.empty() && record.suburb.empty() && record.state.empty();
        if (!heading && !empty) {
            return true;
        }
    }
    return false;
}

} // namespace tarvelo
