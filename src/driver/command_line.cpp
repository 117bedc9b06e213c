#include "driver/command_line.h"

#include <utility>

namespace hndpos {
namespace {

const char* raw_command_line = nullptr;
int list_count = 0;
const char* const* list = nullptr;

constexpr char quote = '"';

bool is_separator(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

bool ends_token(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view up_to_nul(std::string_view line) { return line.substr(0, line.find('\0')); }

}  // namespace

void set_command_line(const char* raw_line, int argc, const char* const* argv) {
    raw_command_line = raw_line;
    list_count = argc;
    list = argv;
}

ArgumentToken next_argument_token(std::string_view line, std::size_t position) {
    line = up_to_nul(line);
    const std::size_t end = line.size();
    std::size_t at = position;
    while (at < end) {
        if (is_separator(line[at])) {
            ++at;
        } else if (line[at] == quote && at + 1 < end && line[at + 1] == quote) {
            at += 2;
        } else {
            break;
        }
    }
    ArgumentToken token;
    while (at < end && !ends_token(line[at])) {
        if (line[at] != quote) {
            token.text += line[at++];
            continue;
        }
        const std::size_t close = line.find(quote, at + 1);
        const std::size_t section_end = close == std::string_view::npos ? end : close;
        token.text.append(line.substr(at + 1, section_end - at - 1));
        at = close == std::string_view::npos ? end : close + 1;
    }
    token.stop = at;
    return token;
}

int raw_argument_count(std::string_view line) {
    std::size_t at = next_argument_token(line, 0).stop;  // the program itself
    int count = 0;
    for (;;) {
        ArgumentToken token = next_argument_token(line, at);
        if (token.text.empty()) return count;
        ++count;
        at = token.stop;
    }
}

std::string raw_argument_text(std::string_view line, int k) {
    if (k < 1) return {};
    ArgumentToken token = next_argument_token(line, 0);
    for (int index = 1; index <= k; ++index) {
        token = next_argument_token(line, token.stop);
        if (token.text.empty()) return {};
    }
    return std::move(token.text);
}

int argument_count() {
    if (raw_command_line != nullptr) return raw_argument_count(raw_command_line);
    return list_count > 0 ? list_count - 1 : 0;
}

std::string argument_text(int k) {
    if (raw_command_line != nullptr) return raw_argument_text(raw_command_line, k);
    if (k < 1 || k >= list_count) return {};
    return list[k];
}

}  // namespace hndpos
