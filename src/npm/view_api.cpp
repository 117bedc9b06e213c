// The npm package's entry points beside the page's (web_api.cpp): hndpos-view
// on any table file's bytes, for the API's view().

#include <emscripten/emscripten.h>

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "view/picture.h"
#include "view/display_check.h"
#include "read/dial_reader.h"

namespace {

using namespace hndpos;

// The last table file given to hndpos_view_read(): its dial, or why it
// was refused.
struct ViewCapture {
    std::optional<Dial> dial;
    std::string refusal;
};
ViewCapture viewed;
std::string text_result;  // the last text handed to the caller

}  // namespace

extern "C" {

// hndpos-view's reading of a table file's bytes (hpostbl.c, or hndpos-tables'
// C source or JSON): 0 when it is read, 1 when refused (the reason in
// hndpos_view_text(3, ...)), 2 when memory ran out.
EMSCRIPTEN_KEEPALIVE int hndpos_view_read(const char* bytes, int size) {
    try {
        viewed = {};
        DialReadResult result = read_dial_file({bytes, static_cast<std::size_t>(size)});
        if (!result.ok) {
            viewed.refusal = "line " + std::to_string(result.line) + ": " + result.message;
            return 1;
        }
        viewed.dial = std::move(result.dial);
        return 0;
    } catch (const std::bad_alloc&) {
        viewed = {};
        return 2;
    }
}

// Of the last file read: 0 its picture at h:m:s with a display of that size
// (0 for none), as hndpos-view draws it (the empty text for a dial too wide
// to draw); 1 the first tip that wraps or leaves the display, or the empty
// text; 2 each hand's bounding box, twelve numbers (low x, high x, low y,
// high y of each hand); 3 why the file was refused; 4 for a tip that wraps,
// the hndpos-tables command that writes true coordinates. Null when memory
// ran out.
EMSCRIPTEN_KEEPALIVE const char* hndpos_view_text(int which, int hours, int minutes, int seconds, int width,
                                                  int height) {
    try {
        text_result.clear();
        if (which == 3) {
            text_result = viewed.refusal;
        } else if (viewed.dial && which == 0) {
            const PictureSpan span = picture_span(*viewed.dial, panel_size(width, height));
            if (span.fits())
                text_result = render_dial_svg(*viewed.dial, {hours, minutes, seconds}, default_picture_scale(span),
                                              panel_size(width, height));
        } else if (viewed.dial) {
            const DisplayCheck check = check_display(*viewed.dial, panel_size(width, height));
            if (which == 1) text_result = check.problem;
            if (which == 4 && check.wrapped)
                text_result = wide_tables_command(*viewed.dial, panel_size(width, height));
            if (which == 2) {
                for (const HandBounds& box : check.bounds)
                    for (const std::int64_t value : {box.low_x, box.high_x, box.low_y, box.high_y})
                        text_result += (text_result.empty() ? "" : " ") + std::to_string(value);
            }
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return text_result.c_str();
}

}  // extern "C"
