// The program's arguments.
//
// Where the system hands over the arguments already split (POSIX), that list
// is used as it is: entry 0 is the program and is not counted, and an empty
// entry is an argument. Where it hands over one raw command line (Windows),
// the line is split by the rules of next_argument_token, afresh for every
// question asked of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hndpos {

// Chooses where the arguments come from: the raw command line when the
// system has one (`raw_line` not null), otherwise the argument list.
void set_command_line(const char* raw_line, int argc, const char* const* argv);

// The number of arguments, not counting the program itself.
int argument_count();

// Argument k (1 ≤ k ≤ count); the empty text for any other k.
std::string argument_text(int k);

// One token of a raw command line, scanned from `position`: separators
// (bytes 0x01 to 0x20) and empty "" pairs are skipped, then bytes are
// collected up to the next separator outside double quotes. Double quotes
// only open and close quoted sections and never become part of a token; a
// backslash is an ordinary byte; an unclosed quote runs to the end of the
// line. The line ends at its first NUL byte. `stop` is where the scan
// ended (at the closing separator, not past it). The token is empty only at
// the end of the line. A token may be of any length.
struct ArgumentToken {
    std::string text;
    std::size_t stop = 0;
};
ArgumentToken next_argument_token(std::string_view line, std::size_t position);

// Splitting of a whole raw line (the program's own token 0 left out).
int raw_argument_count(std::string_view line);
std::string raw_argument_text(std::string_view line, int k);

}  // namespace hndpos
