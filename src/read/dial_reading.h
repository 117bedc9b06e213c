// What the C-source and the JSON reader of hndpos-tables' files share:
// the request a file states, checked as the program checks it, and its
// tables recomputed. Internal to the readers (read/dial_reader.h is their
// interface).
#pragma once

#include <optional>
#include <string>

#include "read/dial_reader.h"
#include "request/tables_request.h"

namespace hndpos {

DialFileRead refused_file(int line, std::string message);

// "... is 5, but the parameters give 6: the table was edited or is stale".
std::string stale_entry(const std::string& what, std::int64_t found, std::int64_t wanted);

// Where the masks a C source's arrays give differ from the recomputed
// ones: the first pixel, named; none where they agree or cannot be read.
std::optional<std::string> mask_source_difference(std::string_view found, const DialFile& file);

// The file's request, checked as hndpos-tables checks a command line, and
// its tables recomputed into `file`: none, or the refusal (at `line`) of
// a request the program refuses or of tables it writes none of.
std::optional<DialFileRead> compute_request(const TablesRequest& request, int line, DialFile& file);

}  // namespace hndpos
