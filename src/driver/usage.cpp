#include "driver/usage.h"

#include <string>
#include <string_view>

#include "io/text_channel.h"
#include "table/table_writer.h"

namespace hndpos {
namespace {

// Shift_JIS bytes; the readable text stands in the comment beside each.
// clang-format off
constexpr std::string_view banner_title =  // "アナログ時計用針先端位置 C言語用テーブル作成 v1.00"
    "\x83" "A\x83i\x83\x8d\x83O\x8e\x9e\x8cv\x97p\x90j\x90\xe6\x92[\x88\xca\x92u C\x8c\xbe\x8c\xea\x97p\x83"
    "e\x81[\x83u\x83\x8b\x8d\xec\x90\xac v1.00";
constexpr std::string_view credit_line = "Programmed by HNDPOS authors (hndpos@example.org)";

constexpr std::string_view usage_syntax =  // "構文: HNDPOS 中心X座標 中心Y座標 時針半径 分針半径 秒針半径"
    "\x8d\x5c\x95\xb6: HNDPOS \x92\x86\x90SX\x8d\xc0\x95W \x92\x86\x90SY\x8d\xc0\x95W \x8e\x9e\x90j\x94\xbc\x8c"
    "a \x95\xaa\x90j\x94\xbc\x8c" "a \x95" "b\x90j\x94\xbc\x8c" "a";
constexpr std::string_view usage_for_example = "\x97\xe1\x82\xa6\x82\xce\x81" "A";  // "例えば、"
constexpr std::string_view usage_example = " HNDPOS 83 30 9 13 14";
constexpr std::string_view usage_same_as_zifrona =  // "で、拙作ZIFRONAと同じ座標になります。"
    "\x82\xc5\x81" "A\x90\xd9\x8d\xecZIFRONA\x82\xc6\x93\xaf\x82\xb6\x8d\xc0\x95W\x82\xc9\x82\xc8\x82\xe8\x82\xdc"
    "\x82\xb7\x81" "B";
constexpr std::string_view usage_file_name_is = "\x90\xb6\x90\xac\x82\xb7\x82\xe9" "C\x83\x5c\x81[\x83X\x82\xcc\x83t\x83@\x83"
                                                "C\x83\x8b\x96\xbc\x82\xcd";  // "生成するCソースのファイル名は"
constexpr std::string_view usage_fixed = "\x8c\xc5\x92\xe8(^^;\x82\xc5\x82\xb7\x81" "B";  // "固定(^^;です。"
// clang-format on

void print_line(std::string_view text) {
    write_line(console_output, text);
    io_check();
}

}  // namespace

void print_banner() {
    print_line(banner_title);
    print_line(credit_line);
    print_line("");
}

void print_usage() {
    print_line(usage_syntax);
    print_line(usage_for_example);
    print_line(usage_example);
    print_line(usage_same_as_zifrona);
    // Built from the name the table writer uses, so the two never disagree.
    std::string file_name_line(usage_file_name_is);
    file_name_line += '"';
    file_name_line += OutputFileName;
    file_name_line += '"';
    file_name_line += usage_fixed;
    print_line(file_name_line);
}

}  // namespace hndpos
