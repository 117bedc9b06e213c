// A dial as the viewer draws and checks it, whichever program wrote its
// tables: hndpos's hpostbl.c (60 positions a hand, each entry one byte) or
// hndpos-tables' C or JSON (any positions, each entry the true coordinate).
#pragma once

#include <cstdint>

#include "dial/dial_tables.h"

namespace hndpos {

struct Dial {
    // Every tip's true coordinate, recomputed from the file's parameters;
    // the reader has checked the file's entries against them.
    DialTables tables;
    // hpostbl.c: the firmware reads each coordinate modulo 256.
    bool byte_entries = false;

    // A dial of figures alone has no hands: none of their positions.
    int positions(int hand) const {
        return tables.params.has_hands ? tables.params.positions[static_cast<std::size_t>(hand)] : 0;
    }

    // Entries in units of 1/2^subpixel pixel; the display pixel one falls in.
    int subpixel() const { return tables.params.rule.subpixel; }
    std::int64_t pixel(std::int64_t entry) const { return entry >> subpixel(); }

    std::int64_t true_coordinate(int hand, Axis axis, int position) const {
        const HandEntries& entries = tables.hands[static_cast<std::size_t>(hand)];
        return (axis == Axis::x ? entries.x : entries.y)[static_cast<std::size_t>(position)];
    }

    // What the firmware reads from the table.
    std::int64_t entry(int hand, Axis axis, int position) const {
        const std::int64_t value = true_coordinate(hand, axis, position);
        return byte_entries ? value & 0xFF : value;
    }

    // The centre as the firmware has it: hpostbl.c keeps its low byte.
    std::int64_t center(Axis axis) const {
        const std::int64_t value = axis == Axis::x ? tables.params.center_x : tables.params.center_y;
        return byte_entries ? value & 0xFF : value;
    }
};

}  // namespace hndpos
