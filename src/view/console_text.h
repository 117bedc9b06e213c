// The program's Shift_JIS texts in UTF-8, for build logs, terminals and the
// page: the banner, the usage text, the summary line, the table file's
// comments and the failure report.
#pragma once

#include <string>
#include <string_view>

namespace hndpos {

// ASCII and half-width katakana convert by rule; a double-byte character
// converts when one of the program's own texts uses it; anything else
// becomes U+FFFD. A lead byte not followed by a trail byte becomes U+FFFD
// alone, and the next byte is read as the start of a character. Line ends
// and every other byte below 0x80 are kept.
std::string shift_jis_to_utf8(std::string_view text);

}  // namespace hndpos
