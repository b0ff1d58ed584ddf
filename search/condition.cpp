#include "search/condition.h"

namespace tarvelo {
namespace {

struct Comparison {
    std::string_view label;
    std::string_view opening;
    std::string_view closing;
};

constexpr Comparison kComparisons[] = {
    {"Equal to", " = '", "'"},         {"Does not equal", " <> '", "'"},
    {"Greater than", " > '", "'"},     {"Greater than or equal to", " >= '", "'"},
    {"Less than", " < '", "'"},        {"Less than or equal to", " <= '", "'"},
    {"Starts with", " LIKE '", "%'"},  {"Ends with", " LIKE '%", "'"},
    {"Sounds like", " LIKE '%", "%'"},
};

} // namespace

std::string BuildCondition(std::string_view label, std::string_view text) {
    for (const Comparison& comparison : kComparisons) {
        if (comparison.label == label) {
            std::string fragment(comparison.opening);
            fragment += text;
            fragment += comparison.closing;
            return fragment;
        }
    }
    return {};
}

} // namespace tarvelo
