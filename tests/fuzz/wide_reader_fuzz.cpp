// The reader of hndpos-tables' C and JSON against the emitter itself: a C
// source is accepted exactly when it is what hndpos-tables writes for the
// parameters and declarations it states; accepted JSON holds exactly the
// entries recomputed from its parameters; either passes the display check
// and, where it fits, the picture without a fault. The first byte chooses
// a Rust or MicroPython module (2 modulo 4), C (other even) or JSON (odd),
// the next two the display size. A module is accepted only as written.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "emit/dial_c.h"
#include "read/dial_reader.h"
#include "request/tables_request.h"
#include "view/display_check.h"
#include "view/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const bool json = (data[0] & 1) != 0;
    const hndpos::PanelSize display{data[1] + 1, data[2] + 1};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 3, size - 3);
    const bool module = (data[0] & 3) == 2;
    const hndpos::DialFileRead result = module ? hndpos::read_dial_module(bytes)
                                        : json ? hndpos::read_dial_json(bytes)
                                               : hndpos::read_dial_source(bytes);
    if (!result.ok) {
        if (result.line < 1 || result.message.empty()) std::abort();
        return 0;
    }
    const hndpos::DialFile& file = result.file;
    const auto& params = file.dial.tables.params;
    if (!json && !module &&
        hndpos::dial_source(file.dial.tables, file.form, hndpos::source_options(params, file.form.figures)) != bytes)
        std::abort();
    const hndpos::DisplayCheck check = hndpos::check_display(file.dial, display);
    if (check.ok != check.problem.empty() || check.wrapped) std::abort();
    if (hndpos::picture_span(file.dial, display).fits() &&
        hndpos::render_dial_svg(file.dial, {10, 8, 30, 0}, 1, display).find("</svg>") == std::string::npos)
        std::abort();
    return 0;
}
