#include <gtest/gtest.h>

#include <string>

#include "emit/byte_tables.h"
#include "emit/dial_c.h"
#include "emit/dial_json.h"
#include "emit/fit.h"
#include "read/golden_tables.h"

namespace hndpos {
namespace {

using testing::table_for;

TEST(GridTables, HoldTheEntriesAsBytes) {
    const TableFile table = table_for({83, 30, 9, 13, 14});
    const std::string source =
        byte_tables_source(table.params, table.entries, Storage::progmem, {"face_", "face_hpostbl.h"});
    EXPECT_NE(source.find("#include \"face_hpostbl.h\""), std::string::npos);
    EXPECT_NE(source.find("const unsigned char face_xtbl[3][60] PROGMEM = {"), std::string::npos);
    EXPECT_NE(source.find("const unsigned char face_ytbl[3][60] PROGMEM = {"), std::string::npos);
    // The numbers, in order, are the table's 360 entries.
    std::string numbers;
    for (std::size_t at = source.find("{\n"); at < source.size(); ++at) {
        const char c = source[at];
        if (c >= '0' && c <= '9') {
            numbers += c;
        } else if (!numbers.empty() && numbers.back() != ' ') {
            numbers += ' ';
        }
    }
    std::string expected;
    for (const auto& axis : table.entries)
        for (const std::uint8_t entry : axis) expected += std::to_string(entry) + " ";
    // Skip the "3" and "60" of the second array's declaration.
    const std::string second_declaration = "3 60 ";
    const std::size_t at = numbers.find(second_declaration, numbers.size() / 3);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(numbers.erase(at, second_declaration.size()), expected);
    EXPECT_EQ(byte_tables_source(table.params, table.entries, Storage::constant, {"", "hpostbl.h"}).find("PROGMEM"),
              std::string::npos);
}

TEST(EntryTypes, TheNarrowestTypeThatHoldsEveryEntry) {
    const struct {
        std::int32_t center;
        std::int32_t radius;
        std::optional<EntryType> expected;
    } cases[] = {
        {128, 127, EntryType::u8},  {128, 128, EntryType::u16},           {32768, 32767, EntryType::u16},
        {0, 1, EntryType::i16},     {-32000, 768, EntryType::i16},        {-32000, 769, EntryType::i32},
        {65535, 1, EntryType::i32}, {INT32_MAX, INT32_MAX, std::nullopt},
    };
    for (const auto& c : cases) {
        const DialTables tables = compute_dial_tables({c.center, c.center, {c.radius, 0, 0}, {4, 1, 1}, {}, {}});
        EXPECT_EQ(narrowest_entry_type(tables), c.expected) << c.center << " " << c.radius;
    }
}

TEST(HandTables, SourceHeaderAndJsonHoldTheSameEntries) {
    const DialTables tables = compute_dial_tables({160, -1, {60, 90, INT32_MAX}, {720, 7, 1}, {}, {}});
    const EmitSpec form{EntryType::i32, Storage::progmem, {"face_", "dial.h"}, {}};
    const std::string source = dial_source(tables, form, {});
    const std::string header = dial_header(tables, form);
    const std::string json = dial_json(tables, form);
    EXPECT_NE(source.find("#endif\n\nconst int32_t face_hour_x[720] PROGMEM = {\n    160, 161, 161,"),
              std::string::npos);
    // The guard is the header's own; the source checks the digest its header defines.
    EXPECT_NE(header.find("#ifndef FACE_HNDPOS_DIAL_H\n"), std::string::npos);
    const std::size_t digest = header.find("#define FACE_HNDPOS_RUN_DIGEST ");
    ASSERT_NE(digest, std::string::npos);
    const std::string value = header.substr(digest + 31, header.find('\n', digest) - digest - 31);
    EXPECT_NE(source.find("#include \"dial.h\"\n#if !defined(FACE_HNDPOS_RUN_DIGEST) || FACE_HNDPOS_RUN_DIGEST != " +
                          value + "\n#error"),
              std::string::npos);
    EXPECT_NE(source.find("const int32_t face_second_y[1] PROGMEM = {\n    (-2147483647 - 1)\n};"), std::string::npos);
    EXPECT_NE(header.find("extern const int32_t face_minute_y[7] PROGMEM;\n"), std::string::npos);
    EXPECT_NE(header.find("#define FACE_HNDPOS_TIP_Y(hand, index)"), std::string::npos);
    EXPECT_NE(header.find("((int32_t)pgm_read_dword(&(entry)))"), std::string::npos);
    EXPECT_NE(header.find("#define FACE_HNDPOS_MINUTE_INDEX(m, s) ((unsigned int)(7UL * ((unsigned long)(m) * "
                          "60UL + (unsigned long)(s)) / 3600UL))"),
              std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"second\", \"positions\": 1, \"x\": [160], \"y\": [-2147483648]}"),
              std::string::npos);
}

}  // namespace
}  // namespace hndpos
