// An English reading of the program's texts, for users who read no
// Japanese: hndpos-view --to-utf8 --english and the page's #gloss. The
// texts themselves stay as the program writes them; this says what they
// mean, line for line.
#pragma once

#include <string>
#include <string_view>

namespace hndpos {

// The meaning of each line of `shift_jis` (console output or a table file):
// the banner and usage text translated, the summary line with its five
// values named, a failure report's class and message explained. A line of
// ASCII stays as it is; a line this table does not know is given in UTF-8
// after "(untranslated) ". Lines end with LF.
std::string english_reading(std::string_view shift_jis);

}  // namespace hndpos
