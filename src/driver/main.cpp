// hndpos: writes hpostbl.c, the tables of clock-hand tip positions, from the
// dial centre and the three hand radii given on the command line.

#include "driver/command_line.h"
#include "driver/integer_syntax.h"
#include "driver/usage.h"
#include "io/failure_report.h"
#include "io/platform/platform.h"
#include "table/table_writer.h"

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
}  // namespace hndpos

int main(int argc, char** argv) {
    hndpos::set_command_line(hndpos::platform::raw_command_line(), argc, argv);
    return hndpos::run_reporting_failures(hndpos::main_routine);
}
