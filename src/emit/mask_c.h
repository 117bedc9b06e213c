// A figure's masks in C: the arrays of pixels/mask_code.h, the macros that
// read a level and a step's repaint box, and C99 functions that draw a
// position into an RGB565 frame or a 1-bit page buffer straight from the
// arrays, through their storage.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dial/dial_tables.h"
#include "emit/c_text.h"
#include "request/vocabulary.h"

namespace hndpos {

// The figure's mask macros, in the header's body; `code` is none where
// only the names are wanted.
void define_mask_macros(HeaderText& header, const Figure& figure, const EmitSpec& form);

// Each array's declarator and name.
std::vector<std::pair<std::string, std::string>> mask_declarators(const Figure& figure, const MaskCode* code,
                                                                  const EmitSpec& form);

// Each array's name and size in bytes.
std::vector<std::pair<std::string, std::int64_t>> mask_array_bytes(const Figure& figure, const MaskCode& code,
                                                                   const EmitSpec& form);

// The arrays' definitions.
std::string mask_source(const Figure& figure, const MaskCode& code, const EmitSpec& form);

// The functions that follow the declarations: what every masked figure
// shares, then each one's, for the figures that have masks.
HeaderText mask_functions(const DialParams& params, const std::vector<const MaskCode*>& codes, const EmitSpec& form);

}  // namespace hndpos
