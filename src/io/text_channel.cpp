#include "io/text_channel.h"

#include <algorithm>
#include <cstring>

#include "io/failure.h"

namespace hndpos {

TextChannel console_output;

namespace {

thread_local std::int32_t pending_code = 0;

constexpr std::string_view line_end = "\r\n";

bool is_console(const TextChannel& channel) { return channel.name[0] == '\0'; }

// Hands all `count` bytes to the system: a write that takes only part is
// continued, an interrupted one repeated, and one that would block waits
// for the handle. 0, or the failure's code.
std::int32_t write_all(platform::FileHandle handle, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        const platform::WriteStep step = platform::system_calls().write_some(handle, bytes, count);
        if (step.interrupted) continue;
        if (step.would_block) {
            if (const std::int32_t code = platform::system_calls().wait_until_writable(handle); code != 0) return code;
            continue;
        }
        if (step.code != 0) return step.code;
        if (step.written == 0) return platform::disk_full_code;
        const std::size_t taken = std::min(step.written, count);
        bytes += taken;
        count -= taken;
    }
    return 0;
}

// The waiting bytes go to the system. They leave the buffer first, so a
// failed write loses them rather than offering them twice.
std::int32_t write_out(TextChannel& channel) {
    const std::int32_t waiting = channel.fill;
    if (waiting == 0) return 0;
    channel.fill = 0;
    return write_all(channel.handle, channel.buffer, static_cast<std::size_t>(waiting));
}

void fail(std::int32_t code) { pending_code = code; }

// Chooses the behaviours for an open handle by its kind; false (and code
// 105, handle released) when the kind is unknown.
bool take_handle(TextChannel& channel, platform::FileHandle handle) {
    const platform::HandleKind kind = platform::system_calls().classify(handle);
    if (kind == platform::HandleKind::unknown) {
        platform::system_calls().close_file(handle);
        channel.mode = ChannelMode::closed;
        fail(channel_not_for_output_code);
        return false;
    }
    channel.handle = handle;
    channel.write_out_after_line = kind == platform::HandleKind::character_device;
    return true;
}

void open_named(TextChannel& channel) {
    channel.mode = ChannelMode::output;
    channel.fill = 0;
    std::int32_t code = 0;
    const platform::FileHandle handle = platform::system_calls().create_file(channel.name, code);
    if (handle == platform::no_handle) {
        channel.mode = ChannelMode::closed;
        fail(code);
        return;
    }
    channel.release_closes_handle = true;
    take_handle(channel, handle);
}

void open_console(TextChannel& channel) {
    channel.mode = ChannelMode::output;
    channel.fill = 0;
    channel.release_closes_handle = false;  // standard output stays open
    std::int32_t code = 0;
    const platform::FileHandle handle = platform::system_calls().standard_output(code);
    if (handle == platform::no_handle) {
        channel.mode = ChannelMode::closed;
        fail(code);
        return;
    }
    take_handle(channel, handle);
}

}  // namespace

void assign_channel(TextChannel& channel, std::string_view name) {
    channel.handle = platform::no_handle;
    channel.mode = ChannelMode::closed;
    channel.fill = 0;
    channel.write_out_after_line = false;
    channel.release_closes_handle = false;
    const std::size_t length = std::min(name.size(), TextChannel::max_name_length);
    std::memcpy(channel.name, name.data(), length);
    channel.name[length] = '\0';
}

void open_for_writing(TextChannel& channel) {
    if (channel.mode == ChannelMode::output) close_channel(channel);
    if (is_console(channel)) {
        open_console(channel);
    } else {
        open_named(channel);
    }
}

void write_text(TextChannel& channel, std::string_view bytes) {
    if (channel.mode != ChannelMode::output && is_console(channel)) open_console(channel);
    if (channel.mode != ChannelMode::output) {
        fail(channel_not_for_output_code);
        return;
    }
    const auto* next = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t remaining = bytes.size();
    while (remaining > 0) {
        const auto free = static_cast<std::size_t>(TextChannel::buffer_size - channel.fill);
        if (remaining < free) {
            std::memcpy(channel.buffer + channel.fill, next, remaining);
            channel.fill += static_cast<std::int32_t>(remaining);
            return;
        }
        // The buffer becomes exactly full and goes out at once.
        std::memcpy(channel.buffer + channel.fill, next, free);
        channel.fill = TextChannel::buffer_size;
        next += free;
        remaining -= free;
        if (const std::int32_t code = write_out(channel); code != 0) {
            fail(code);
            return;  // the rest of this text is dropped
        }
    }
}

void end_line(TextChannel& channel) {
    write_text(channel, line_end);
    if (channel.mode != ChannelMode::output) {
        fail(channel_not_open_code);
        return;
    }
    if (channel.write_out_after_line) {
        if (const std::int32_t code = write_out(channel); code != 0) fail(code);
    }
}

void write_line(TextChannel& channel, std::string_view bytes) {
    write_text(channel, bytes);
    end_line(channel);
}

void close_channel(TextChannel& channel) {
    if (channel.mode != ChannelMode::output) {
        fail(channel_not_open_code);
        return;
    }
    if (const std::int32_t code = write_out(channel); code != 0) {
        fail(code);
        return;  // the handle stays open
    }
    if (!channel.release_closes_handle) return;
    channel.mode = ChannelMode::closed;
    if (const std::int32_t code = platform::system_calls().close_file(channel.handle); code != 0) fail(code);
}

std::int32_t pending_io_code() { return pending_code; }
void set_pending_io_code(std::int32_t code) { pending_code = code; }

[[gnu::noinline]] void io_check() {
    if (pending_code == 0) return;
    const std::int32_t code = pending_code;
    pending_code = 0;
    throw EInOutError(code, return_point_in_caller());
}

}  // namespace hndpos
