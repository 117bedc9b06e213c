#include "request/options.h"

#include <algorithm>
#include <optional>

#include "driver/integer_syntax.h"

namespace hndpos {
namespace {

constexpr std::string_view count_words[] = {"no", "one", "two", "three", "four"};

const Option* find_long(std::span<const Option> table, std::string_view name) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const Option& o) { return o.name == name; });
    return found == table.end() ? nullptr : &*found;
}

const Option* find_short(std::span<const Option> table, char name) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const Option& o) { return o.short_name == name; });
    return found == table.end() ? nullptr : &*found;
}

std::string values_text(const Option& option) {
    std::string text;
    for (const OptionValue& value : option.values) text += (text.empty() ? "" : " ") + value.name;
    return text;
}

std::string takes(const Option& option) {
    const std::size_t count = option.values.size();
    return "option " + std::string(option.name) + " takes " +
           (count == 1 ? "a value, " : std::string(count_words[std::min<std::size_t>(count, 4)]) + " values: ") +
           values_text(option);
}

// WxH as two values, or nothing when the text is not two parts joined by x.
std::vector<std::string> split_at_x(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || text.find('x', x + 1) != std::string::npos) return {};
    return {text.substr(0, x), text.substr(x + 1)};
}

class Arguments {
public:
    explicit Arguments(std::span<const std::string> all) : all_(all) {}
    bool done() const { return index_ >= all_.size(); }
    std::string next() { return all_[index_++]; }
    const char* peek() const { return done() ? nullptr : all_[index_].c_str(); }
    int left() const { return static_cast<int>(all_.size() - index_); }

private:
    std::span<const std::string> all_;
    std::size_t index_ = 0;
};

std::vector<std::string> option_values(const Option& option, const std::optional<std::string>& attached,
                                       Arguments& arguments) {
    const std::size_t count = option.values.size();
    if (count == 0) {
        if (attached) throw OptionError{"option " + std::string(option.name) + " takes no value"};
        return {};
    }
    if (count == 1) {
        if (attached) return {*attached};
        if (arguments.done()) throw OptionError{takes(option)};
        return {arguments.next()};
    }
    if (option.joined_by_x) {
        const std::string joined = attached ? *attached : (arguments.peek() != nullptr ? arguments.peek() : "");
        if (std::vector<std::string> both = split_at_x(joined); !both.empty()) {
            if (!attached) arguments.next();
            return both;
        }
    }
    if (attached || arguments.left() < static_cast<int>(count)) throw OptionError{takes(option)};
    std::vector<std::string> values;
    for (std::size_t i = 0; i < count; ++i) values.push_back(arguments.next());
    return values;
}

// The value as the option takes it, or the refusal naming the option.
void check_value(const Option& option, const OptionValue& value, const std::string& text) {
    if (value.kind == ValueKind::integer) (void)integer_value(option.name, text, value.low, value.high);
    if (value.kind == ValueKind::half) (void)half_value(option.name, text);
    if (value.kind == ValueKind::decimal) (void)hundredths_value(option.name, text, value.low, value.high);
    if (value.words != nullptr && !value.words->find(text))
        throw OptionError{takes_words(option.name, value.words->spoken())};
}

}  // namespace

OptionValue integer_named(std::string name, std::int64_t low, std::int64_t high) {
    return {std::move(name), ValueKind::integer, low, high};
}

OptionValue word_from(const WordList& words) { return {words.joined("|"), ValueKind::word, 0, 0, &words}; }

OptionValue text_named(std::string name) { return {std::move(name), ValueKind::text}; }

OptionValue half_named(std::string name) { return {std::move(name), ValueKind::half}; }

OptionValue decimal_named(std::string name, std::int64_t low, std::int64_t high) {
    return {std::move(name), ValueKind::decimal, low, high};
}

std::int32_t int32_of(const std::string& value) { return scan_integer(value).value; }

void parse_command_line(std::span<const Option> table, int argc, const char* const* argv,
                        const std::function<void(const std::string&)>& operand) {
    const std::vector<std::string> all(argv + std::min(argc, 1), argv + argc);
    parse_arguments(table, all, operand);
}

void parse_arguments(std::span<const Option> table, std::span<const std::string> all,
                     const std::function<void(const std::string&)>& operand) {
    Arguments arguments(all);
    std::vector<const Option*> seen;
    bool options_ended = false;
    while (!arguments.done()) {
        const std::string argument = arguments.next();
        if (!options_ended && argument == "--") {
            options_ended = true;
            continue;
        }
        if (options_ended || argument.size() < 2 || argument[0] != '-') {
            if (!operand) throw OptionError{"unexpected argument " + argument};
            operand(argument);
            continue;
        }
        std::optional<std::string> attached;
        const Option* option = nullptr;
        if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            if (equals != std::string::npos) attached = argument.substr(equals + 1);
            option = find_long(table, std::string_view(argument).substr(0, equals));
        } else if (argument.size() == 2) {
            option = find_short(table, argument[1]);
        }
        if (option == nullptr) throw OptionError{"unknown option " + argument.substr(0, argument.find('='))};
        if (!option->repeatable && std::find(seen.begin(), seen.end(), option) != seen.end())
            throw OptionError{"option " + std::string(option->name) + " is given more than once"};
        seen.push_back(option);
        const std::vector<std::string> values = option_values(*option, attached, arguments);
        for (std::size_t i = 0; i < values.size(); ++i) check_value(*option, option->values[i], values[i]);
        option->handle(values);
        if (option->ends_parsing) return;
    }
}

std::int32_t integer_value(std::string_view option, const std::string& text, std::int64_t low, std::int64_t high) {
    const ScannedInteger scanned = scan_integer(text);
    if (!scanned.accepted || text.find('\0') != std::string::npos)
        throw OptionError{"option " + std::string(option) + ": '" + text + "' is not an integer"};
    if (scanned.value < low || scanned.value > high)
        throw OptionError{"option " + std::string(option) + ": " + text + " is outside " + std::to_string(low) +
                          " to " + std::to_string(high)};
    return scanned.value;
}

namespace {

// [-]digits[.d[d]], the digits at most 12: hundredths, or false.
bool scan_hundredths(const std::string& text, std::int64_t& hundredths) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t digits = at;
    std::int64_t value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - digits < 12)
        value = value * 10 + (text[at++] - '0');
    if (at == digits) return false;
    int places = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && places < 2) {
            value = value * 10 + (text[at++] - '0');
            ++places;
        }
        if (places == 0) return false;
    }
    for (; places < 2; ++places) value *= 10;
    hundredths = digits == 1 ? -value : value;
    return at == text.size();
}

}  // namespace

std::int64_t half_value(std::string_view option, const std::string& text) {
    if (scan_integer(text).accepted && text.find('\0') == std::string::npos)
        return 2 * std::int64_t{integer_value(option, text, INT32_MIN, INT32_MAX)};
    std::int64_t hundredths = 0;
    if (!scan_hundredths(text, hundredths) || !text.ends_with(".5") || hundredths < 100LL * -INT32_MAX - 50 ||
        hundredths > 100LL * INT32_MAX + 50)
        throw OptionError{"option " + std::string(option) + ": '" + text +
                          "' is not a whole or half pixel (an integer, or one and .5)"};
    return hundredths / 50;
}

std::int64_t hundredths_value(std::string_view option, const std::string& text, std::int64_t low, std::int64_t high) {
    std::int64_t hundredths = 0;
    if (!scan_hundredths(text, hundredths))
        throw OptionError{"option " + std::string(option) + ": '" + text +
                          "' is not a decimal number of at most two decimal places"};
    if (hundredths < low || hundredths > high)
        throw OptionError{"option " + std::string(option) + ": " + text + " is outside " + hundredths_text(low) +
                          " to " + hundredths_text(high)};
    return hundredths;
}

std::vector<Option> help_and_version(bool& help, bool& version) {
    return {
        {.name = "--help",
         .short_name = 'h',
         .help = "show this help and exit",
         .handle = [&help](const auto&) { help = true; },
         .ends_parsing = true},
        {.name = "--version",
         .help = "show the version and exit",
         .handle = [&version](const auto&) { version = true; },
         .ends_parsing = true},
    };
}

std::vector<std::string> request_arguments(std::span<const Option> table,
                                           const std::function<bool(const Option&)>& keep) {
    std::vector<std::string> words;
    for (const Option& option : table) {
        if (!option.show || (keep && !keep(option))) continue;
        for (const std::vector<std::string>& values : option.show()) {
            words.push_back(option.short_name != 0 ? std::string{'-', option.short_name} : std::string(option.name));
            if (option.joined_by_x && values.size() == 2) {
                words.push_back(values[0] + "x" + values[1]);
            } else {
                words.insert(words.end(), values.begin(), values.end());
            }
        }
    }
    return words;
}

std::string shell_words(std::span<const std::string> words) {
    std::string text;
    for (const std::string& word : words) {
        const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   std::string_view("+-_.,:/=").find(c) != std::string_view::npos;
        });
        text += text.empty() ? "" : " ";
        if (plain) {
            text += word;
            continue;
        }
        text += '\'';
        for (const char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        text += '\'';
    }
    return text;
}

std::string takes_words(std::string_view option, std::string_view spoken) {
    return "option " + std::string(option) + " takes " + std::string(spoken);
}

std::string option_help(std::span<const Option> table) {
    constexpr std::size_t help_column = 27;
    std::string text;
    for (const Option& option : table) {
        std::string line = option.short_name != 0 ? std::string("  -") + option.short_name + ", " : "      ";
        line += option.name;
        if (!option.values.empty()) {
            line += ' ';
            line += values_text(option);
        }
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) of "\n" + std::string.
        if (line.size() + 1 < help_column) {
            line.append(help_column - line.size(), ' ');
        } else {
            line += '\n';
            line.append(help_column, ' ');
        }
        std::string_view help = option.help;
        for (std::size_t end; (end = help.find('\n')) != std::string_view::npos; help.remove_prefix(end + 1))
            line.append(help.substr(0, end)).append(1, '\n').append(help_column, ' ');
        text.append(line).append(help).append(1, '\n');
    }
    return text;
}

}  // namespace hndpos
