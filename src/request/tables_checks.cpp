// What a request must hold beyond each option's own value: the checks a
// command line, the API and a file read back all go through.

#include "request/tables_request.h"

namespace hndpos {

void check_output_request(const TablesRequest& request) {
    if (request.output.empty()) throw OptionError{"-o FILE is required"};
    if (request.format != TablesFormat::c) {
        // The C's names and storage mean nothing to the other formats.
        const std::string_view format = word_of(formats, request.format);
        if (request.header) throw OptionError{"--header goes with --format c, not " + std::string(format)};
        const bool module = request.format != TablesFormat::json;
        if (module && request.storage != Storage::data)
            throw OptionError{"--storage goes with --format c, not " + std::string(format)};
        if (module && !request.prefix.empty())
            throw OptionError{"--prefix goes with --format c, not " + std::string(format)};
        if (module && request.figures.layout != PointLayout::split)
            throw OptionError{"--layout goes with --format c, not " + std::string(format)};
    }
    if (request.format == TablesFormat::c && request.output == "-" && !request.header)
        throw OptionError{"-o - writes the C on standard output: name its header with --header"};
    if (request.format == TablesFormat::c && !is_valid_header_name(header_name(request)))
        throw OptionError{"-o " + request.output +
                          ": its header's name cannot stand in #include \"...\": name it with --header"};
}

void check_dial_request(const TablesRequest& request) {
    if (!request.center_given) throw OptionError{"--center X Y is required"};
    if (!request.radii_given && request.params.figures.empty())
        throw OptionError{"--radii HOUR MINUTE SECOND or a --figure is required"};
    const DialParams& p = request.params;
    if ((p.half_x || p.half_y) && p.rule.subpixel == 0)
        throw OptionError{
            "option --center: a centre between pixels needs --subpixel 1 or more: in whole pixels "
            "a point level with the centre would lie exactly between two pixels"};
    for (const Figure& figure : p.figures) {
        if (!figure.arc) continue;
        const std::string arc = "option --arc: the figure " + figure.name;
        if (p.rule.rounding != Rounding::nearest)
            throw OptionError{arc +
                              " needs --rounding nearest: the extended rounding turns only by whole steps of "
                              "a turn"};
        if (figure.positions < 2) throw OptionError{arc + " has 1 position; an arc has both its ends, 2 or more"};
        if (figure.arc->sweep == 0) throw OptionError{arc + " sweeps 0 degrees"};
        if (figure.turn) throw OptionError{arc + " follows a turn already: a figure follows a time or an arc"};
    }
    for (const Figure& figure : request.params.figures)
        if (figure.mask_bits && figure.points.size() < 3)
            throw OptionError{
                "option --mask: the figure " + figure.name + " has " + std::to_string(figure.points.size()) +
                (figure.points.size() == 1 ? " point" : " points") + "; a mask needs an outline of at least 3"};
    if (const std::string clash = name_clash(request); !clash.empty()) throw OptionError{clash};
}

}  // namespace hndpos
