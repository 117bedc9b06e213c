#include "emit/fit.h"

#include <algorithm>

#include "texts/join.h"

namespace hndpos {

std::optional<EntryType> narrowest_entry_type(const DialTables& tables) {
    std::int64_t low = INT64_MAX;
    std::int64_t high = INT64_MIN;
    const auto take = [&](const std::vector<std::int64_t>& entries) {
        for (const std::int64_t value : entries) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    };
    for (const HandEntries& hand : tables.hands) {
        take(hand.x);
        take(hand.y);
    }
    for (const FigureEntries& figure : tables.figures) {  // the boxes hold no other values
        take(figure.x);
        take(figure.y);
    }
    for (std::size_t i = 0; i < entry_type_words.size(); ++i) {
        const auto type = static_cast<EntryType>(i);
        if (entry_type_holds(type, low) && entry_type_holds(type, high)) return type;
    }
    return std::nullopt;
}

TablesVerdict judge_dial_tables(const DialTables& tables, std::optional<EntryType> requested,
                                std::optional<PanelSize> panel) {
    if (const auto& overflow = tables.overflow)
        return {std::nullopt, join({hand_entry_name(overflow->hand, overflow->axis, overflow->position), " is ",
                                    std::to_string(overflow->offset), " (radius ",
                                    std::to_string(tables.params.radii[static_cast<std::size_t>(overflow->hand)]),
                                    "), outside the 32-bit range"})};
    const int subpixel = tables.params.rule.subpixel;
    const auto type_misfit = [](std::int64_t value, EntryType type) {
        return entry_type_holds(type, value)
                   ? std::string()
                   : join({" is ", std::to_string(value), ", which ", word_of(entry_types, type), " cannot hold"});
    };
    const std::string problem = first_refused_entry(tables, [&](std::int64_t value, Axis axis) {
        if (panel)
            if (std::string why = off_panel(value, axis, *panel, subpixel); !why.empty()) return why;
        return requested ? type_misfit(value, *requested) : std::string();
    });
    if (!problem.empty()) return {std::nullopt, problem};
    if (requested) return {requested, ""};
    if (const auto narrowest = narrowest_entry_type(tables)) return {narrowest, ""};
    return {std::nullopt, first_refused_entry(tables, [&](std::int64_t value, Axis) {
                              return type_misfit(value, EntryType::i32);
                          }) + ": the entries need more than 32 bits, and no entry type holds them all"};
}

}  // namespace hndpos
