// Whether a dial's tables can be written: every entry inside 32 bits, on
// the panel where one is given, and held by the entry type.
#pragma once

#include <optional>
#include <string>

#include "dial/dial_tables.h"
#include "dial/panel.h"
#include "request/vocabulary.h"

namespace hndpos {

// The narrowest of u8, u16, i16, i32, in that order, that holds every entry.
std::optional<EntryType> narrowest_entry_type(const DialTables& tables);

// `type` is the requested one or, when none was requested, the narrowest
// that holds every entry; without a type, `problem` names the first
// reason to refuse them, in the order the entries were computed: an
// offset outside 32 bits, an entry off the panel, an entry the type cannot
// hold (hand, position, axis and value).
struct TablesVerdict {
    std::optional<EntryType> type;
    std::string problem;
};
TablesVerdict judge_dial_tables(const DialTables& tables, std::optional<EntryType> requested,
                                std::optional<PanelSize> panel);

// AVR's compiler takes at most this many bytes in one array.
inline constexpr std::int64_t max_avr_array_bytes = 32767;

// In program memory, the first array larger than AVR takes, named with its
// size; "" where every array fits or the storage is another.
std::string oversized_progmem_array(const DialTables& tables, const EmitSpec& form);

}  // namespace hndpos
