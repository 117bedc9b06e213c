#include "driver/program.h"

#include "driver/command_line.h"
#include "driver/integer_syntax.h"
#include "driver/table_file.h"
#include "driver/usage.h"
#include "io/failure_report.h"
#include "io/text_channel.h"

namespace hndpos {
namespace {

constexpr int parameter_count = 5;

// Argument k (1..5) goes to the k-th field.
constexpr std::int32_t HandParams::*parameter_fields[parameter_count] = {
    &HandParams::CenterX,      &HandParams::CenterY,      &HandParams::HourRadius,
    &HandParams::MinuteRadius, &HandParams::SecondRadius,
};

HandParams params;

// Converts the arguments in order, storing each as soon as it converts;
// false at the first that is not an integer.
bool convert_arguments() {
    try {
        for (int k = 1; k <= parameter_count; ++k)
            params.*parameter_fields[k - 1] = parse_integer_argument(argument_text(k));
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

void main_routine() {
    print_banner();
    const bool show_usage = argument_count() != parameter_count || !convert_arguments();
    if (show_usage) {
        print_usage();
    } else {
        generate_tables(params);
    }
}

}  // namespace

int run_program(const char* raw_line, int argc, const char* const* argv) {
    params = {};
    assign_channel(console_output, "");
    set_pending_io_code(0);
    set_command_line(raw_line, argc, argv);
    return run_reporting_failures(main_routine);
}

}  // namespace hndpos
