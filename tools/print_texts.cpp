// Prints every text of the program in UTF-8, a line each: what the page's
// font must draw (tools/make_page_font.py), taken from the one table of
// texts rather than from the sources.
#include <iostream>

#include "texts/program_texts.h"
#include "view/console_text.h"

int main() {
    for (const hndpos::ProgramText* text : hndpos::texts::all)
        std::cout << hndpos::shift_jis_to_utf8(text->shift_jis) << "\n";
    std::cout << hndpos::texts::banner_version << "\n";
    return std::cout ? 0 : 1;
}
