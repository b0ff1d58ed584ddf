#include "search/quotes.h"

namespace tarvelo {

std::string DoubleQuotes(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 8);
    for (char c : text) {
        result += c;
        if (c == '\'') {
            result += '\'';
        }
    }
    return result;
}

std::string UndoubleQuotes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'') {
            ++i;
        }
    }
    return result;
}

} // namespace tarvelo
