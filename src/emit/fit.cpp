#include "emit/fit.h"

#include <algorithm>

#include "emit/mask_c.h"
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

std::string oversized_progmem_array(const DialTables& tables, const EmitSpec& form) {
    if (form.storage != Storage::progmem) return "";
    const DialParams& params = tables.params;
    const std::int64_t entry = entry_type_facts(form.type).high > UINT16_MAX  ? 4
                               : entry_type_facts(form.type).high > UINT8_MAX ? 2
                                                                              : 1;
    const auto too_large = [&](const std::string& array, std::int64_t bytes) {
        return bytes <= max_avr_array_bytes
                   ? std::string()
                   : join({"the array ", array, " would be ", std::to_string(bytes),
                           " bytes, and AVR's program memory takes at most ", std::to_string(max_avr_array_bytes),
                           " in one array: give fewer positions, a narrower --type or another --storage"});
    };
    const auto refusal = [&](const std::string& name, std::int64_t entries) {
        return too_large(form.names.prefix + name, entries * entry);
    };
    for (int hand = 0; hand < (params.has_hands ? hand_count : 0); ++hand)
        if (std::string why =
                refusal(std::string(hand_names[hand]) + "_x", params.positions[static_cast<std::size_t>(hand)]);
            !why.empty())
            return why;
    for (const Figure& figure : params.figures) {
        const std::int64_t grid = std::int64_t{figure.positions} * static_cast<std::int64_t>(figure.points.size());
        const bool pairs = form.figures.layout == PointLayout::pairs;
        if (std::string why = refusal(figure.name + (pairs ? "_xy" : "_x"), pairs ? 2 * grid : grid); !why.empty())
            return why;
        if (form.figures.bounds)
            if (std::string why = refusal(figure.name + "_bounds", 4 * std::int64_t{figure.positions}); !why.empty())
                return why;
    }
    for (std::size_t f = 0; f < params.figures.size(); ++f) {
        if (!tables.figures[f].mask_code) continue;
        for (const auto& [array, bytes] : mask_array_bytes(params.figures[f], *tables.figures[f].mask_code, form))
            if (std::string why = too_large(array, bytes); !why.empty()) return why;
    }
    return "";
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
