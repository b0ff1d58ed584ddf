// The Windows-1252 <-> UTF-8 conversion at the database boundary.
#include "store/text_codec.h"

#include <gtest/gtest.h>

#include <string>

using tarvelo::FromEngineText;
using tarvelo::ToEngineText;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

} // namespace

TEST(TextCodec, EveryByteRoundTrips) {
    for (int b = 1; b <= 0xFF; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(FromEngineText(ToEngineText(one)), one) << "byte 0x" << std::hex << b;
    }
    std::string all;
    for (int b = 1; b <= 0xFF; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(FromEngineText(ToEngineText(all)), all);
}

struct InboundCase {
    int byte;
    std::string utf8;
};

class Inbound : public ::testing::TestWithParam<InboundCase> {};

TEST_P(Inbound, ConvertsByTheWindows1252Table) {
    const std::string in(1, static_cast<char>(GetParam().byte));
    EXPECT_EQ(ToEngineText(in), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Inbound,
    ::testing::Values(InboundCase{'A', "A"}, InboundCase{0x7F, Bytes({0x7F})},
                      InboundCase{0x80, Bytes({0xE2, 0x82, 0xAC})}, // euro sign
                      InboundCase{0x92, Bytes({0xE2, 0x80, 0x99})}, // right single quote
                      InboundCase{0x8C, Bytes({0xC5, 0x92})},       // OE ligature
                      InboundCase{0x81, Bytes({0xC2, 0x81})},       // undefined: U+0081
                      InboundCase{0x9D, Bytes({0xC2, 0x9D})},       // undefined: U+009D
                      InboundCase{0xA0, Bytes({0xC2, 0xA0})},
                      InboundCase{0xE9, Bytes({0xC3, 0xA9})}, // e acute
                      InboundCase{0xFF, Bytes({0xC3, 0xBF})}));

struct OutboundCase {
    const char* name;
    std::string utf8;
    std::string ansi;
};

class Outbound : public ::testing::TestWithParam<OutboundCase> {};

TEST_P(Outbound, FollowsTheDecodingRules) {
    EXPECT_EQ(FromEngineText(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Outbound,
    ::testing::Values(OutboundCase{"Ascii", "MELBOURNE 3000", "MELBOURNE 3000"},
                      OutboundCase{"EuroSign", Bytes({0xE2, 0x82, 0xAC}), Bytes({0x80})},
                      OutboundCase{"OldMappingOfEuroByte", Bytes({0xC2, 0x80}), Bytes({0x80})},
                      OutboundCase{"OldMappingOfQuoteByte", Bytes({0xC2, 0x92}), Bytes({0x92})},
                      OutboundCase{"RightSingleQuote", "O" + Bytes({0xE2, 0x80, 0x99}) + "CONNOR",
                                   "O" + Bytes({0x92}) + "CONNOR"},
                      OutboundCase{"TwoByteOutsideCodePage", Bytes({0xC4, 0x80}), "?"}, // U+0100
                      OutboundCase{"ThreeByteOutsideCodePage", Bytes({0xE4, 0xB8, 0xAD}), "?"},
                      OutboundCase{"OverlongThreeByte", Bytes({0xE0, 0x81, 0x81}), "?"},
                      OutboundCase{"FourByte", Bytes({0xF0, 0x9F, 0x98, 0x80}) + "x", "?x"},
                      OutboundCase{"LeadThenNonContinuation", Bytes({0xC3, 'A'}), "?A"},
                      OutboundCase{"ThreeByteBrokenAfterOne", Bytes({0xE2, 0x82, 'A', 'B'}), "?AB"},
                      OutboundCase{"ThreeByteBrokenAtOnce", Bytes({0xE2, 'A', 'B'}), "?AB"},
                      OutboundCase{"FourByteBroken", Bytes({0xF0, 0x9F, 'A', 'B', 'C'}), "?ABC"},
                      OutboundCase{"StrayContinuation", Bytes({'a', 0x80, 'b'}), "ab"},
                      OutboundCase{"ByteF8", Bytes({0xF8, 'a'}), "a"},
                      OutboundCase{"TwoByteLeadAtEnd", Bytes({'a', 0xC3}), "a"},
                      OutboundCase{"ThreeByteLeadTooCloseToEnd", Bytes({'a', 0xE2, 0x82}), "a"},
                      OutboundCase{"FourByteLeadTooCloseToEnd", Bytes({0xF0, 0x9F, 0x98}), ""}),
    [](const ::testing::TestParamInfo<OutboundCase>& info) { return info.param.name; });
