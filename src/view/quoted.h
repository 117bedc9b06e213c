// A piece of a file as the readers' messages quote it: in double quotes,
// its first 60 bytes, a tab as \t and any other byte outside printable
// ASCII as \xHH, "..." where it goes on.
#pragma once

#include <string>
#include <string_view>

namespace hndpos {

std::string quoted(std::string_view text);

}  // namespace hndpos
