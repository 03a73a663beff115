#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "control/KDMidiStreamParser.h"

namespace {

using Msg = std::array<int, 3>;

struct Collect : KDMidiStreamParser::Sink {
    std::vector<Msg> got;
    void midiMessage(std::uint8_t s, std::uint8_t a, std::uint8_t b) override {
        got.push_back({s, a, b});
    }
};

std::vector<Msg> parse(const std::vector<std::vector<unsigned char>>& deliveries) {
    KDMidiStreamParser parser;
    Collect out;
    for (const auto& d : deliveries) parser.feed(d.data(), d.size(), out);
    return out.got;
}

}  // namespace

TEST(MidiStreamParser, CutsMalformedInputIntoWholeMessages) {
    struct Case {
        const char* what;
        std::vector<std::vector<unsigned char>> in;
        std::vector<Msg> out;
    };
    const Case cases[] = {
        {"plain messages",
         {{0xB0, 7, 100}, {0xC3, 5}, {0xE1, 0, 64}},
         {{0xB0, 7, 100}, {0xC3, 5, 0}, {0xE1, 0, 64}}},
        {"running status in one delivery",
         {{0xB0, 7, 1, 7, 2, 8, 3}},
         {{0xB0, 7, 1}, {0xB0, 7, 2}, {0xB0, 8, 3}}},
        {"running status across deliveries",
         {{0xB2, 1, 10}, {1, 11}},
         {{0xB2, 1, 10}, {0xB2, 1, 11}}},
        {"message unfinished at the end of a delivery is dropped",
         {{0xB2, 1}, {10}, {0xE0, 5}},
         {}},
        {"a truncated message still sets running status", {{0xC0}, {4}}, {{0xC0, 4, 0}}},
        {"exclusive in parts", {{0xF0, 1, 2}, {3, 4}, {5, 0xF7}, {0xC0, 4}}, {{0xC0, 4, 0}}},
        {"running status of one-byte messages",
         {{0xD0, 5, 6, 7}},
         {{0xD0, 5, 0}, {0xD0, 6, 0}, {0xD0, 7, 0}}},
        {"truncated message then a new one", {{0xB0, 7}, {0xB0, 8, 9}}, {{0xB0, 8, 9}}},
        {"status cuts off a truncated message", {{0xE0, 1, 0xC0, 3}}, {{0xC0, 3, 0}}},
        {"stray data bytes before any status", {{1, 2, 3, 0xB0, 1, 2}}, {{0xB0, 1, 2}}},
        {"clock inside a control change",
         {{0xB0, 0xF8, 7, 0xFA, 100}},
         {{0xF8, 0, 0}, {0xFA, 0, 0}, {0xB0, 7, 100}}},
        {"system exclusive skipped to its end",
         {{0xF0, 0x7E, 1, 2, 3}, {4, 5, 0xF7}, {0xB0, 1, 2}},
         {{0xB0, 1, 2}}},
        {"clock inside system exclusive", {{0xF0, 1, 0xF8, 2, 0xF7}}, {{0xF8, 0, 0}}},
        {"sysex without its end, cut by a status",
         {{0xF0, 1, 2, 0x90, 60, 100}},
         {{0x90, 60, 100}}},
        {"sysex ends running status", {{0xB0, 1, 2, 0xF0, 0xF7, 3, 4}}, {{0xB0, 1, 2}}},
        {"song position pointer", {{0xF2, 16, 0}}, {{0xF2, 16, 0}}},
        {"song position cancels running status",
         {{0xB0, 1, 2, 0xF2, 3, 4, 5, 6}},
         {{0xB0, 1, 2}, {0xF2, 3, 4}}},
        {"undefined statuses carry nothing", {{0xF4, 1, 0xF5, 2, 0xF9, 0xFD}}, {}},
        {"lone end of exclusive", {{0xF7, 1, 2}}, {}},
        {"empty delivery", {{}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(parse(c.in), c.out);
    }
}

TEST(MidiStreamParser, ResetForgetsRunningStatus) {
    KDMidiStreamParser parser;
    Collect out;
    const unsigned char a[] = {0xB0, 1, 2};
    parser.feed(a, sizeof a, out);
    parser.reset();
    const unsigned char b[] = {4, 5, 6};
    parser.feed(b, sizeof b, out);
    EXPECT_EQ(out.got, std::vector<Msg>{(Msg{0xB0, 1, 2})});
}

// Any byte sequence at all yields only well-formed messages.
TEST(MidiStreamParser, RandomBytesGiveOnlyWellFormedMessages) {
    KDMidiStreamParser parser;
    Collect out;
    unsigned seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        unsigned char buf[7];
        const std::size_t n = seed % 8;
        for (std::size_t i = 0; i < n && i < sizeof buf; ++i) {
            seed = seed * 1103515245u + 12345u;
            buf[i] = static_cast<unsigned char>(seed >> 16);
        }
        seed = seed * 1103515245u + 12345u;
        parser.feed(buf, n < sizeof buf ? n : sizeof buf, out);
    }
    ASSERT_FALSE(out.got.empty());
    for (const auto& m : out.got) {
        EXPECT_GE(m[0], 0x80);
        EXPECT_NE(m[0], 0xF0);
        EXPECT_NE(m[0], 0xF7);
        EXPECT_LT(m[1], 0x80);
        EXPECT_LT(m[2], 0x80);
    }
}
