// hndpos-tables' C: one x and one y array per hand, of any length and
// entry type, then the figures' arrays, and a header of macros that read
// them through their storage (program memory on AVR), each prefixed with
// the upper-cased prefix: the parameters, the positions, each hand's and
// each turn's index at a time of day, HNDPOS_TIP_X/HNDPOS_TIP_Y and each
// figure's HNDPOS_<NAME>_X/_Y.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "dial/dial_tables.h"
#include "request/vocabulary.h"

namespace hndpos {

// The source; `stated_options` are the options beyond the tips that made
// it (hndpos-tables' words, which the reader takes back), named in its
// second comment. The tables must be complete and every entry must fit
// the form's type.
std::string dial_source(const DialTables& tables, const EmitSpec& form, std::span<const std::string> stated_options);
std::string dial_header(const DialTables& tables, const EmitSpec& form);

// Every name the header defines (arrays and macros), in its order; they
// depend on neither the entries nor the type or the storage.
std::vector<std::string> header_names(const DialParams& params, const EmitNames& names, FigureOutput figures);

// Whether the run asks for more than the hands' whole-pixel tips: only
// then do the files carry the figures' and the rule's parts, so that the
// files of a plain run stay as they always were.
bool beyond_tips(const DialParams& params);

}  // namespace hndpos
