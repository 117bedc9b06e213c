#include "request/api_request.h"

#include <algorithm>

#include "read/json.h"

namespace hndpos {
namespace {

using Node = JsonDocument::Node;
using Kind = JsonDocument::Kind;

struct Refused {
    std::string problem;
};

std::string lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return result;
}

// What a key takes, as the refusal says it.
std::string shape(const Option& option) {
    if (option.values.empty()) return "true or false";
    std::string values;
    for (const OptionValue& value : option.values) values += (values.empty() ? "" : ", ") + lower(value.name);
    if (option.repeatable) return "an array of {" + values + "}";
    if (option.values.size() == 1) {
        const ValueKind kind = option.values[0].kind;
        return kind == ValueKind::integer                              ? "an integer"
               : kind == ValueKind::half || kind == ValueKind::decimal ? "a number"
               : kind == ValueKind::time                               ? "[hours, minutes, seconds]"
                                                                       : "a text";
    }
    std::string upper_values;
    for (const OptionValue& value : option.values) upper_values += (upper_values.empty() ? "" : ", ") + value.name;
    return "[" + upper_values + "]";
}

class Conversion {
public:
    explicit Conversion(const JsonDocument& document) : document_(document) {}

    std::string value(const Node& node, const OptionValue& form, const std::string& key) const {
        switch (form.kind) {
        case ValueKind::integer:
            if (node.kind != Kind::integer) throw Refused{"key " + key + " takes an integer"};
            return std::to_string(node.value);
        case ValueKind::points:
            if (node.kind == Kind::array) return points(node, key);
            return text(node, key);
        case ValueKind::time:
            if (node.kind == Kind::integers && node.count == 3) return time(node, key);
            if (node.kind == Kind::string) return text(node, key);
            throw Refused{"key " + key + " takes [hours, minutes, seconds]"};
        case ValueKind::half:
        case ValueKind::decimal:
            if (node.kind == Kind::integer) return std::to_string(node.value);
            if (node.kind == Kind::number) return std::string(document_.number_text(node));
            if (node.kind == Kind::string) return text(node, key);
            throw Refused{"key " + key + " takes a number"};
        case ValueKind::word:
            // A word that is a number (a mask's bits) may be given as one.
            if (node.kind == Kind::integer) return std::to_string(node.value);
            return text(node, key);
        default: return text(node, key);
        }
    }

    // One occurrence's values: an array of them, an object keyed by their
    // names, or the value itself where there is one.
    std::vector<std::string> occurrence(const Node& node, const Option& option, const std::string& key) const {
        const std::size_t count = option.values.size();
        std::vector<std::string> values;
        if (node.kind == Kind::object) {
            for (std::size_t i = 0; i < document_.size(node); ++i) {
                const std::string name(document_.name(node, i));
                if (std::none_of(option.values.begin(), option.values.end(),
                                 [&](const OptionValue& value) { return lower(value.name) == name; }))
                    throw Refused{std::string("key ")
                                      .append(key)
                                      .append(".")
                                      .append(name)
                                      .append(" is none of ")
                                      .append(shape(option))};
            }
            for (const OptionValue& form : option.values) {
                const Node* member = document_.member(node, lower(form.name));
                if (member == nullptr) throw Refused{"key " + key + " has no " + lower(form.name)};
                values.push_back(value(*member, form, key + "." + lower(form.name)));
            }
            return values;
        }
        if (count == 1) return {value(node, option.values[0], key)};
        if (node.kind == Kind::integers && node.count == count) {
            for (std::size_t i = 0; i < count; ++i) values.push_back(std::to_string(document_.integer_list(node)[i]));
            for (std::size_t i = 0; i < count; ++i)
                if (option.values[i].kind != ValueKind::integer && option.values[i].kind != ValueKind::half &&
                    option.values[i].kind != ValueKind::decimal)
                    throw Refused{"key " + key + " takes " + shape(option)};
            return values;
        }
        if (node.kind != Kind::array || node.count != count) throw Refused{"key " + key + " takes " + shape(option)};
        for (std::size_t i = 0; i < count; ++i)
            values.push_back(value(document_.item(node, i), option.values[i], key + "[" + std::to_string(i) + "]"));
        return values;
    }

private:
    std::string text(const Node& node, const std::string& key) const {
        if (node.kind != Kind::string) throw Refused{"key " + key + " takes a text"};
        const std::string_view text = document_.text(node);
        if (text.find('\0') != std::string_view::npos) throw Refused{"key " + key + " holds a NUL byte"};
        return std::string(text);
    }

    std::string points(const Node& node, const std::string& key) const {
        std::string text;
        for (std::size_t i = 0; i < document_.size(node); ++i) {
            const Node& point = document_.item(node, i);
            if (point.kind != Kind::integers || point.count != 2)
                throw Refused{"key " + key + "[" + std::to_string(i) + "] takes [A, B], two integers"};
            const std::span<const std::int64_t> pair = document_.integer_list(point);
            text.append(text.empty() ? "" : " ")
                .append(std::to_string(pair[0]))
                .append(",")
                .append(std::to_string(pair[1]));
        }
        return text;
    }

    std::string time(const Node& node, const std::string& key) const {
        std::string text;
        for (const std::int64_t part : document_.integer_list(node)) {
            if (part < 0 || part > 99) throw Refused{"key " + key + " takes [hours, minutes, seconds]"};
            text.append(text.empty() ? "" : ":").append(part < 10 ? "0" : "").append(std::to_string(part));
        }
        return text;
    }

    const JsonDocument& document_;
};

}  // namespace

ApiArguments api_arguments(std::span<const Option> table, std::string_view options_json) {
    JsonDocument document;
    if (!document.parse(options_json)) return {{}, "the options are no JSON: " + document.error()};
    const Node& root = document.root();
    if (root.kind != Kind::object) return {{}, "the options are an object of keys"};
    const Conversion conversion(document);
    ApiArguments result;
    try {
        for (std::size_t i = 0; i < document.size(root); ++i) {
            const std::string key(document.name(root, i));
            const Node& node = document.value(root, i);
            const auto option = std::find_if(table.begin(), table.end(),
                                             [&](const Option& o) { return !o.api_key.empty() && o.api_key == key; });
            if (option == table.end()) {
                std::string keys;
                for (const Option& o : table)
                    if (!o.api_key.empty()) keys.append(keys.empty() ? "" : ", ").append(o.api_key);
                throw Refused{std::string("unknown key ").append(key).append(": the keys are ").append(keys)};
            }
            if (node.kind == Kind::null) continue;
            if (option->values.empty()) {
                if (node.kind != Kind::boolean) throw Refused{"key " + key + " takes true or false"};
                if (node.value != 0) result.arguments.emplace_back(option->name);
                continue;
            }
            std::vector<std::vector<std::string>> occurrences;
            if (option->repeatable) {
                if (node.kind != Kind::array && !(node.kind == Kind::integers && node.count == 0))
                    throw Refused{"key " + key + " takes " + shape(*option)};
                for (std::size_t k = 0; k < node.count && node.kind == Kind::array; ++k)
                    occurrences.push_back(
                        conversion.occurrence(document.item(node, k), *option, key + "[" + std::to_string(k) + "]"));
            } else {
                occurrences.push_back(conversion.occurrence(node, *option, key));
            }
            for (std::vector<std::string>& values : occurrences) {
                result.arguments.emplace_back(option->name);
                for (std::string& value : values) result.arguments.push_back(std::move(value));
            }
        }
    } catch (const Refused& refused) {
        return {{}, refused.problem};
    }
    return result;
}

}  // namespace hndpos
