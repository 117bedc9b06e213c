// Buffered text output channels.
//
// Every byte the program emits goes through a TextChannel: console_output,
// bound to standard output, and the file channel of the table writer. A
// channel collects bytes in a 128-byte buffer inside its record and hands
// them to the system unchanged (no code-page or line-end conversion). A
// console gets each completed line at once; a file or pipe gets full
// 128-byte blocks and the rest at close.
//
// Channel operations never raise. A failure is recorded as the pending I/O
// code (one per thread; a later failure overwrites it), and the caller
// follows every operation with io_check, which raises EInOutError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/platform/platform.h"

namespace hndpos {

enum class ChannelMode : std::uint8_t { closed, output };

struct TextChannel {
    static constexpr std::int32_t buffer_size = 128;
    static constexpr std::size_t max_name_length = 259;

    platform::FileHandle handle = platform::no_handle;
    ChannelMode mode = ChannelMode::closed;
    std::int32_t fill = 0;                // bytes waiting in the buffer
    bool write_out_after_line = false;    // a console takes each line at once
    bool release_closes_handle = false;   // a named file is closed, standard output never
    char name[max_name_length + 1] = {};  // empty: standard output
    std::uint8_t buffer[buffer_size] = {};
};

// Codes of the channel layer itself.
inline constexpr std::int32_t channel_not_open_code = 103;
inline constexpr std::int32_t channel_not_for_output_code = 105;

// Standard output. Assigned before the program starts, opened by its first
// write, closed by the final clean-up.
extern TextChannel console_output;

// Prepares the record, closed, with a copy of `name` (cut to 259 bytes).
void assign_channel(TextChannel& channel, std::string_view name);
// Opens a named channel for writing, creating or truncating the file; an
// open channel is closed first.
void open_for_writing(TextChannel& channel);
void write_text(TextChannel& channel, std::string_view bytes);
// CR LF, then the console's line write-out.
void end_line(TextChannel& channel);
void write_line(TextChannel& channel, std::string_view bytes);
// Writes out what waits and releases the handle. When that write-out fails
// the channel stays open with its handle.
void close_channel(TextChannel& channel);

std::int32_t pending_io_code();
void set_pending_io_code(std::int32_t code);

// Raises EInOutError when a code is pending, and clears the code. Its
// failure position is the return point in the caller.
void io_check();

}  // namespace hndpos
