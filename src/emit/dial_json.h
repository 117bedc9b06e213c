// hndpos-tables' JSON: the parameters, each hand's x and y entries, and
// beyond the tips the rule and each figure's entries (and boxes), for
// scripts; the form's type names the entries' C type.
#pragma once

#include <string>

#include "dial/dial_tables.h"
#include "request/vocabulary.h"

namespace hndpos {

std::string dial_json(const DialTables& tables, const EmitSpec& form);

}  // namespace hndpos
