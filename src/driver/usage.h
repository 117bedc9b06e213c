// The texts of the driver: the banner and the usage text, both written to
// console_output line by line, each line checked.
#pragma once

namespace hndpos {

// "アナログ時計用針先端位置 C言語用テーブル作成 v1.00", the credit line, an empty line.
void print_banner();

// Five lines: the syntax, an example and the fixed output file name.
void print_usage();

}  // namespace hndpos
