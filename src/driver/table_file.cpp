#include "driver/table_file.h"

#include "io/text_channel.h"
#include "table/table_writer.h"

namespace hndpos {
namespace {

// Each line into the file as it is made, the write checked.
class FileSink final : public LineSink {
public:
    explicit FileSink(TextChannel& file) : file_(file) {}
    void take(std::string_view line) override {
        write_line(file_, line);
        io_check();
    }

private:
    TextChannel& file_;
};

}  // namespace

void generate_tables(const HandParams& params) {
    write_line(console_output, summary_line(params));
    io_check();

    TextChannel file;
    assign_channel(file, OutputFileName);
    open_for_writing(file);
    io_check();
    // Whatever happens while the lines are written, the file is closed and
    // the close checked; a failure of the close replaces the one in flight.
    FileSink sink(file);
    try {
        make_table_lines(params, sink);
    } catch (...) {
        close_channel(file);
        io_check();
        throw;
    }
    close_channel(file);
    io_check();
}

}  // namespace hndpos
