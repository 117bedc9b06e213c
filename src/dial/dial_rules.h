// The rules of a dial that every front end asks here instead of stating
// them again: how many positions a hand may have, how large a panel may be,
// which radius no table can hold, and where each hand stands at a time of
// day. The programs, the emitter's index macros, the page and the CMake
// function (through a file generated from this one) all take them from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hndpos {

// hndpos-tables' positions per hand: one position per second of the hour
// hand's 12-hour turn at the most.
inline constexpr int min_positions = 1;
inline constexpr int max_positions = 43200;

// hndpos-tables' figures: points per figure, and sub-pixel entries in
// units of 1/2^bits pixel.
inline constexpr int min_figure_points = 1;
inline constexpr int max_figure_points = 64;
inline constexpr int max_subpixel_bits = 8;

// Panel sizes in pixels, each side from 1: up to 256 for hndpos's byte
// tables (a coordinate is one byte), up to 65535 for hndpos-tables' true
// coordinates (a u16 entry).
inline constexpr int min_display_side = 1;
inline constexpr int max_byte_display_side = 256;
inline constexpr int max_wide_display_side = 65535;

// The one radius whose tip leaves the 32-bit range: its product with -1
// (x at 9 o'clock, y at 12 o'clock) is +2^31.
inline constexpr std::int32_t unholdable_radius = INT32_MIN;

// A time of day, each field from 0 to the last time's.
struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

// The last time of day, 23:59:59.999.
inline constexpr TimeOfDay last_time_of_day{23, 59, 59, 999};

constexpr bool is_time_of_day(const TimeOfDay& t) {
    const TimeOfDay& last = last_time_of_day;
    return t.hours >= 0 && t.hours <= last.hours && t.minutes >= 0 && t.minutes <= last.minutes && t.seconds >= 0 &&
           t.seconds <= last.seconds && t.milliseconds >= 0 && t.milliseconds <= last.milliseconds;
}

// The turns a hand or a figure can follow, each in its own unit: turn 0 is
// the hour hand's 12 hours and turn 1 the minute hand's hour, in seconds;
// turn 2 the second hand's minute, in milliseconds; turn 3 a 24-hour dial's
// day, in seconds. Hand h (0 hour, 1 minute, 2 second) follows turn h.
inline constexpr int turn_count = 4;
inline constexpr std::array<long, turn_count> turn_length = {12L * 60 * 60, 60L * 60, 60L * 1000, 24L * 60 * 60};

// How far into its turn a time of day is, in the unit of turn_length, as
// a sum of terms: each a field of the time (first reduced modulo `modulus`
// where that is not 0) times `weight`. The generated modules' index
// formulas are written from these terms.
enum class TimeField { hours, minutes, seconds, milliseconds };
struct ElapsedTerm {
    TimeField field = TimeField::seconds;
    long modulus = 0;
    long weight = 1;
};
inline constexpr std::array<std::array<ElapsedTerm, 3>, turn_count> elapsed_terms = {{
    {{{TimeField::hours, 12, 3600}, {TimeField::minutes, 0, 60}, {TimeField::seconds, 0, 1}}},
    {{{TimeField::minutes, 0, 60}, {TimeField::seconds, 0, 1}, {}}},
    {{{TimeField::seconds, 0, 1000}, {TimeField::milliseconds, 0, 1}, {}}},
    {{{TimeField::hours, 0, 3600}, {TimeField::minutes, 0, 60}, {TimeField::seconds, 0, 1}}},
}};
// The terms a turn has (the rest of its row is unused).
inline constexpr std::array<int, turn_count> elapsed_term_count = {3, 2, 2, 3};

constexpr long time_field(const TimeOfDay& t, TimeField field) {
    switch (field) {
    case TimeField::hours: return t.hours;
    case TimeField::minutes: return t.minutes;
    case TimeField::seconds: return t.seconds;
    default: return t.milliseconds;
    }
}

constexpr long elapsed_in_turn(int turn, const TimeOfDay& t) {
    long elapsed = 0;
    for (int i = 0; i < elapsed_term_count[static_cast<std::size_t>(turn)]; ++i) {
        const ElapsedTerm& term = elapsed_terms[static_cast<std::size_t>(turn)][static_cast<std::size_t>(i)];
        const long value = time_field(t, term.field);
        elapsed += (term.modulus != 0 ? value % term.modulus : value) * term.weight;
    }
    return elapsed;
}

// The index at a time of day of a hand or figure with `positions`
// positions that follows `turn`: the floor of positions × elapsed / turn,
// exactly, in integers.
constexpr int hand_index(int turn, int positions, const TimeOfDay& t) {
    return static_cast<int>(static_cast<long long>(positions) * elapsed_in_turn(turn, t) /
                            turn_length[static_cast<std::size_t>(turn)]);
}

// The position of an arc of `positions` nearest a value's place from low
// (position 0) to high (the last), low < high: round((value − low)·(N − 1)
// / (high − low)), halfway going up; 0 at or below low, the last at or
// above high. The headers' POSITION_OF macros compute the same.
constexpr int arc_position(long long value, long long low, long long high, int positions) {
    if (value <= low) return 0;
    if (value >= high) return positions - 1;
    return static_cast<int>((2 * (value - low) * (positions - 1) + (high - low)) / (2 * (high - low)));
}

// A gauge's reading: the figure on an arc stands at the position nearest
// `value` on its scale from `low` to `high`.
struct GaugeReading {
    std::string figure;
    long long value = 0;
    long long low = 0;
    long long high = 0;
};

}  // namespace hndpos
