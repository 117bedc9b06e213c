#include "driver/usage.h"

#include <string>
#include <string_view>

#include "io/text_channel.h"
#include "table/table_writer.h"
#include "texts/program_texts.h"

namespace hndpos {
namespace {

void print_line(std::string_view text) {
    write_line(console_output, text);
    io_check();
}

}  // namespace

void print_banner() {
    std::string title(texts::banner_title.shift_jis);
    title += " v";
    title += texts::banner_version;
    print_line(title);
    print_line(texts::credit_line.shift_jis);
    print_line("");
}

void print_usage() {
    print_line(texts::usage_syntax.shift_jis);
    print_line(texts::usage_for_example.shift_jis);
    print_line(texts::usage_example.shift_jis);
    print_line(texts::usage_same_as_zifrona.shift_jis);
    // Built from the name the table writer uses, so the two never disagree.
    std::string file_name_line(texts::usage_file_name_is.shift_jis);
    file_name_line += '"';
    file_name_line += OutputFileName;
    file_name_line += '"';
    file_name_line += texts::usage_fixed.shift_jis;
    print_line(file_name_line);
}

}  // namespace hndpos
