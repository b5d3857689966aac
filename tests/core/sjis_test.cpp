#include "core/sjis.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lwall {
namespace {

std::vector<unsigned> as_bytes(std::string_view s) {
    std::vector<unsigned> v;
    for (char c : s) v.push_back(static_cast<unsigned char>(c));
    return v;
}

std::vector<unsigned> u(std::initializer_list<unsigned> b) { return b; }

TEST(ShiftJis, ConvertsTheSheetsJapaneseText) {
    EXPECT_EQ(as_bytes(u8"実線"_sj), u({0x8E, 0xC0, 0x90, 0xFC}));
    EXPECT_EQ(as_bytes(u8"×"_sj), u({0x81, 0x7E}));
    EXPECT_EQ(as_bytes(u8"　"_sj), u({0x81, 0x40}));
    EXPECT_EQ(as_bytes(u8"Ｌ１"_sj), u({0x82, 0x6B, 0x82, 0x50}));
    // Half-width katakana are single bytes.
    EXPECT_EQ(as_bytes(u8"ｺﾝｸﾘｰﾄ"_sj), u({0xBA, 0xDD, 0xB8, 0xD8, 0xB0, 0xC4}));
}

TEST(ShiftJis, KeepsTrailBytesThatLookLikeABackslash) {
    constexpr auto table = u8"鉄 筋 質 量 表"_sj;
    const std::string_view s = table;
    ASSERT_EQ(s.size(), 14u);
    EXPECT_EQ(static_cast<unsigned char>(s[12]), 0x95u);
    EXPECT_EQ(static_cast<unsigned char>(s[13]), 0x5Cu);
}

TEST(ShiftJis, PassesAsciiThroughUnchanged) {
    EXPECT_EQ(u8"(1m"_sj, "(1m");
    EXPECT_EQ(u8"a\\P="_sj, "a\\P=");
    EXPECT_EQ(u8""_sj, "");
}

TEST(ShiftJis, CountsDoubleByteCharactersTwiceForCentring) {
    EXPECT_EQ(u8"L1"_sj.size(), 2u);
    EXPECT_EQ(u8"形 式 １"_sj.size(), 8u);
    EXPECT_EQ(u8"(1m当たり)"_sj.size(), 10u);
}

TEST(ShiftJis, ConsoleMessagesOfTheSizeLimits) {
    EXPECT_EQ(as_bytes(u8"幅の制限を超えています。"_sj),
              u({0x95, 0x9D, 0x82, 0xCC, 0x90, 0xA7, 0x8C, 0xC0, 0x82, 0xF0, 0x92, 0xB4, 0x82, 0xA6, 0x82, 0xC4,
                 0x82, 0xA2, 0x82, 0xDC, 0x82, 0xB7, 0x81, 0x42}));
}

// A console line may carry bytes that are not UTF-8 (a folder's name, say): each becomes one '?',
// as a character Shift_JIS lacks does, and the rest of the line is kept.
TEST(ShiftJis, ConsoleLinesMarkWhatTheyCannotShow) {
    EXPECT_EQ(utf8_to_sjis_marked("a\xff" "b\xe6\x93 \xe2\x82\xac " + std::string("擁壁")),
              "a?b?? ? " + *utf8_to_sjis("擁壁"));
}

TEST(ShiftJis, ReadsBackAsUtf8ForThePictureOfTheSheet) {
    EXPECT_EQ(sjis_to_utf8(u8"鉄 筋 質 量 表"_sj), "鉄 筋 質 量 表");
    EXPECT_EQ(sjis_to_utf8(u8"均しｺﾝｸﾘｰﾄ t=10cm"_sj), "均しｺﾝｸﾘｰﾄ t=10cm");
    EXPECT_EQ(sjis_to_utf8(u8"W1 5-D16 ×3500"_sj), "W1 5-D16 ×3500");
    // Every character of the table survives the round trip.
    for (const SjisCode& c : kSjisCodes) {
        std::string sjis;
        if (c.sjis > 0xFF) sjis += static_cast<char>(c.sjis >> 8);
        sjis += static_cast<char>(c.sjis & 0xFF);
        const std::string utf8 = sjis_to_utf8(sjis);
        ASSERT_FALSE(utf8.empty());
        ASSERT_NE(utf8, "\xEF\xBF\xBD") << std::hex << c.sjis;
    }
    // A pair outside the table and a lone lead byte become the replacement character.
    EXPECT_EQ(sjis_to_utf8("\xF0\x40"), "\xEF\xBF\xBD");  // the user-defined area
    EXPECT_EQ(sjis_to_utf8("a\x88"), "a\xEF\xBF\xBD");
}

TEST(ShiftJis, TextMadeWhileRunningConvertsLikeTheLiterals) {
    // Every character of the code page, any text an engineer may type: the same bytes as a literal.
    EXPECT_EQ(utf8_to_sjis("鉄筋質量表 D-STR 亜"), std::string(u8"鉄筋質量表 D-STR 亜"_sj));
    EXPECT_EQ(utf8_to_sjis("表"), std::string("\x95\x5C"));
    for (const SjisCode& c : kSjisCodes) {
        const std::string sjis = c.sjis > 0xFF ? std::string{static_cast<char>(c.sjis >> 8), static_cast<char>(c.sjis)}
                                               : std::string(1, static_cast<char>(c.sjis));
        ASSERT_EQ(utf8_to_sjis(sjis_to_utf8(sjis)), sjis) << std::hex << c.sjis;
    }
    // Not UTF-8, or a character the code page lacks: refused, never guessed.
    EXPECT_EQ(utf8_to_sjis("\x95\x5C"), std::nullopt);
    EXPECT_EQ(utf8_to_sjis("\xE8\xA1"), std::nullopt);
    EXPECT_EQ(utf8_to_sjis("한"), std::nullopt);
}

// The characters the code page holds twice (three times for ￢ and ∵) read as the same character
// from every code, and are written back in one of them: NEC's copy of the IBM extensions in the
// same order, and NEC's row 13 and IBM's symbols beside the standard's own codes.
TEST(ShiftJis, EveryCodeOfACharacterHeldTwiceReadsAsThatCharacter) {
    const auto text = [](unsigned code) { return std::string{static_cast<char>(code >> 8), static_cast<char>(code)}; };
    const auto codes = [](unsigned from, unsigned to) {
        std::vector<unsigned> out;
        for (unsigned c = from; c <= to; ++c) {
            const unsigned trail = c & 0xFF;
            if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) out.push_back(c);
        }
        return out;
    };
    std::vector<std::pair<unsigned, unsigned>> twins = {
        {0x81BE, 0x879C}, {0x81BF, 0x879B}, {0x81CA, 0xEEF9}, {0x81CA, 0xFA54}, {0x81DA, 0x8797}, {0x81DB, 0x8796},
        {0x81DF, 0x8791}, {0x81E0, 0x8790}, {0x81E3, 0x8795}, {0x81E6, 0x879A}, {0x81E6, 0xFA5B}, {0x81E7, 0x8792},
        {0x8782, 0xFA59}, {0x8784, 0xFA5A}, {0x878A, 0xFA58}, {0xEEFA, 0xFA55}, {0xEEFB, 0xFA56}, {0xEEFC, 0xFA57}};
    for (unsigned k = 0; k < 10; ++k) twins.push_back({0x8754 + k, 0xFA4A + k});  // Ⅰ to Ⅹ
    for (unsigned k = 0; k < 10; ++k) twins.push_back({0xEEEF + k, 0xFA40 + k});  // ⅰ to ⅹ
    const std::vector<unsigned> nec = codes(0xED40, 0xEEEC);
    const std::vector<unsigned> ibm = codes(0xFA5C, 0xFC4B);
    ASSERT_EQ(nec.size(), ibm.size());
    for (std::size_t k = 0; k < nec.size(); ++k) twins.push_back({nec[k], ibm[k]});
    for (const auto& [a, b] : twins) {
        const std::string character = sjis_to_utf8(text(a));
        ASSERT_NE(character, "\xEF\xBF\xBD") << std::hex << a;
        EXPECT_EQ(sjis_to_utf8(text(b)), character) << std::hex << a << " " << b;
        const std::optional<std::string> written = utf8_to_sjis(character);
        EXPECT_TRUE(written == text(a) || written == text(b)) << std::hex << a << " " << b;
    }
}

}  // namespace
}  // namespace lwall
