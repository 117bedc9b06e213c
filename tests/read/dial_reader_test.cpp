// The readers of hndpos-tables' C and JSON refuse every file the program
// does not write, naming the line and what was expected; files a JSON tool
// rewrote by value are read.
#include "read/dial_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "emit/dial_c.h"
#include "emit/dial_json.h"
#include "request/tables_request.h"

namespace hndpos {
namespace {

struct Files {
    std::string source;
    std::string json;
};

// A dial of three hands and two figures with boxes, as hndpos-tables writes it.
Files written() {
    DialParams params{83, 30, {9, 13, 14}, {60, 60, 60}, {Rounding::nearest, 0}, {}, true};
    params.figures = {{"hand", 12, {{-2, -1}, {8, 0}, {-2, 1}}}, {"ticks", 4, {{10, 0}, {12, 0}}}};
    const FigureOutput figures{PointLayout::split, true};
    const EmitSpec form{EntryType::u8, Storage::constant, {"face_", "dial.h"}, figures};
    const DialTables tables = compute_dial_tables(params);
    return {dial_source(tables, form, source_options(params, figures)), dial_json(tables, form)};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(DialReader, TheWrittenFilesAreRead) {
    const Files files = written();
    EXPECT_TRUE(read_dial_source(files.source).ok) << read_dial_source(files.source).message;
    const DialFileRead json = read_dial_json(files.json);
    ASSERT_TRUE(json.ok) << json.message;
    EXPECT_EQ(json.file.form.type, EntryType::u8);
    EXPECT_TRUE(json.file.form.figures.bounds);
    // By value: a byte order mark, escapes, other spacing.
    EXPECT_TRUE(read_dial_json("\xEF\xBB\xBF" + replaced(files.json, "\"hour\"", "\"\\u0068our\"")).ok);
    EXPECT_EQ(input_kind("\xEF\xBB\xBF {"), InputKind::tables_json);
}

TEST(DialReader, JsonThatNoRunWritesIsRefused) {
    const std::string json = written().json;
    const struct {
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {replaced(json, "\"radii\": [9, 13, 14]", "\"radii\": [9, 13]"), 1, "expected \"radii\" as 3 integers"},
        {replaced(json, "\"type\": \"u8\"", "\"type\": \"u64\""), 1, "expected \"type\" as u8, u16, i16 or i32"},
        {replaced(json, "\"type\": \"u8\"", "\"type\": \"u8\", \"colour\": 1"), 1,
         "unexpected member \"colour\" in the file"},
        {replaced(json, "\"type\": \"u8\"", "\"type\": \"u8\", \"type\": \"u8\""), 1,
         "member \"type\" given twice in the file"},
        {replaced(json, "\"rounding\": \"nearest\"", "\"rounding\": \"even\""), 5,
         "expected \"rounding\" as extended or nearest"},
        {replaced(json, "\"subpixel\": 0", "\"subpixel\": 9"), 5, "expected \"subpixel\" as an integer from 0 to 8"},
        {replaced(json, "\"name\": \"hand\"", "\"name\": \"hour\""), 1,
         "hndpos-tables writes no such file: two things would be named HNDPOS_HOUR_POSITIONS: give each figure a "
         "name of its own, unlike the hands' and the header's"},
        {replaced(json, "\"name\": \"hand\"", "\"name\": \"9a\""), 6,
         "expected the \"name\" of figure 0 as a C identifier"},
        {replaced(json, "\"x\": [83, 84,", "\"x\": [83, 85,"), 2,
         "the hour hand's x at position 1 is 85, but the parameters give 84: the table was edited or is stale"},
        {replaced(json, "\"x\": [83, 84,", "\"x\": [83, 84.0,"), 2,
         "expected \"x\" of the hour hand as an integer from -2147483648 to 2147483647"},
        {replaced(json, ", \"bounds\": [[", ", \"boxes\": [["), 6, "unexpected member \"boxes\" in figure 0"},
        {"{\"center\": [1, 2], \"radii\": [], \"type\": \"u8\", \"hands\": [], \"rounding\": \"extended\", "
         "\"subpixel\": 0, \"figures\": []}",
         1, "hndpos-tables writes no such file: --radii HOUR MINUTE SECOND or a --figure is required"},
    };
    for (const auto& c : cases) {
        const DialFileRead read = read_dial_json(c.text);
        EXPECT_FALSE(read.ok) << c.message;
        EXPECT_EQ(read.message, c.message);
        EXPECT_EQ(read.line, c.line) << c.message;
    }
}

TEST(DialReader, ASourceThatNoRunWritesIsRefused) {
    const std::string source = written().source;
    const struct {
        std::string text;
        int line;
        std::string message;
    } cases[] = {
        {replaced(source, "centre 83:30", "centre 83:x"), 1,
         "expected the first comment of hndpos-tables' C source, with the centre, the radii and the positions, found"},
        {replaced(source, " --bounds. */", " --colour. */"), 3, "unknown option --colour"},
        {replaced(source, " --bounds. */", " --bounds --bounds. */"), 3, "option --bounds is given more than once"},
        {replaced(source, "--rounding nearest", "--rounding even"), 3, "option --rounding takes extended or nearest"},
        {replaced(source, "#include \"dial.h\"", "#include <dial.h>"), 4, "expected #include \"HEADER\""},
        {replaced(source, "const uint8_t face_hour_x[60] = {", "const uint64_t face_hour_x[60] = {"), 9,
         "expected the declaration of the hour hand's x table"},
        {replaced(source, "\n    83, 84,", "\n    83, 85,"), 10,
         "the hour hand's x at position 1 is 85, but the parameters give 84: the table was edited or is stale"},
        {source.substr(0, source.size() - 10), 0, "found the end of the file"},
    };
    for (const auto& c : cases) {
        const DialFileRead read = read_dial_source(c.text);
        EXPECT_FALSE(read.ok) << c.message;
        EXPECT_NE(read.message.find(c.message), std::string::npos) << read.message;
        if (c.line != 0) {
            EXPECT_EQ(read.line, c.line) << c.message;
        }
    }
}

}  // namespace
}  // namespace hndpos
