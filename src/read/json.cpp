#include "read/json.h"

#include <algorithm>
#include <charconv>

#include "read/text_fields.h"

namespace hndpos {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_number_byte(char c) { return is_digit(c) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E'; }

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void append_utf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

bool JsonDocument::fail(std::string message) {
    error_ = std::move(message) + ", found " + (at_ < text_.size() ? quoted(text_.substr(at_, 20)) : "the end");
    error_line_ =
        static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at_), '\n')) + 1;
    return false;
}

void JsonDocument::skip_space() {
    while (at_ < text_.size() && is_space(text_[at_])) ++at_;
}

bool JsonDocument::take(char c) {
    skip_space();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
}

bool JsonDocument::parse(std::string_view text) {
    *this = {};
    text_ = text;
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    if (!parse_value(0)) return false;
    skip_space();
    if (at_ < text_.size()) return fail("expected the end of the file");
    nodes_.push_back(stack_.back());
    stack_ = {};
    integer_stack_ = {};
    return true;
}

bool JsonDocument::parse_value(int depth) {
    skip_space();
    if (at_ >= text_.size()) return fail("expected a value");
    const char c = text_[at_];
    if (c == '{' || c == '[') {
        if (depth >= max_depth) return fail("expected less nesting");
        return c == '{' ? parse_object(depth) : parse_array(depth);
    }
    if (c == '"') return parse_string();
    if (c == '-' || is_digit(c)) return parse_number();
    Node node;
    node.offset = static_cast<std::uint32_t>(at_);
    struct Word {
        std::string_view text;
        Kind kind;
        int truth;
    };
    for (const Word word :
         {Word{"true", Kind::boolean, 1}, Word{"false", Kind::boolean, 0}, Word{"null", Kind::null, 0}}) {
        if (text_.substr(at_, word.text.size()) != word.text) continue;
        at_ += word.text.size();
        node.kind = word.kind;
        node.value = word.truth;
        stack_.push_back(node);
        return true;
    }
    return fail("expected a value");
}

void JsonDocument::close_container(Node& container, std::size_t mark) {
    container.first = static_cast<std::uint32_t>(nodes_.size());
    container.count = static_cast<std::uint32_t>(stack_.size() - mark);
    nodes_.insert(nodes_.end(), stack_.begin() + static_cast<std::ptrdiff_t>(mark), stack_.end());
    stack_.resize(mark);
    stack_.push_back(container);
}

// Items that are integers go to a stack of their own while every item so
// far is one; the first item of another kind turns them into nodes.
bool JsonDocument::parse_array(int depth) {
    Node array;
    array.offset = static_cast<std::uint32_t>(at_);
    array.kind = Kind::array;
    ++at_;
    const std::size_t mark = stack_.size();
    const std::size_t integer_mark = integer_stack_.size();
    bool packed = true;
    if (!take(']')) {
        do {
            if (!parse_value(depth + 1)) return false;
            if (!packed) continue;
            if (stack_.back().kind == Kind::integer) {
                integer_stack_.push_back(stack_.back().value);
                stack_.pop_back();
                continue;
            }
            // The integers before this item become nodes, each at its place in the text.
            packed = false;
            const Node other = stack_.back();
            stack_.pop_back();
            std::size_t at = array.offset + 1;
            for (std::size_t i = integer_mark; i < integer_stack_.size(); ++i) {
                while (is_space(text_[at]) || text_[at] == ',') ++at;
                Node integer;
                integer.kind = Kind::integer;
                integer.value = integer_stack_[i];
                integer.offset = static_cast<std::uint32_t>(at);
                stack_.push_back(integer);
                while (is_number_byte(text_[at])) ++at;
            }
            integer_stack_.resize(integer_mark);
            stack_.push_back(other);
        } while (take(','));
        if (!take(']')) return fail("expected \",\" or \"]\"");
    }
    if (packed && integer_stack_.size() > integer_mark) {
        array.kind = Kind::integers;
        array.first = static_cast<std::uint32_t>(integers_.size());
        array.count = static_cast<std::uint32_t>(integer_stack_.size() - integer_mark);
        integers_.insert(integers_.end(), integer_stack_.begin() + static_cast<std::ptrdiff_t>(integer_mark),
                         integer_stack_.end());
        integer_stack_.resize(integer_mark);
        stack_.push_back(array);
        return true;
    }
    close_container(array, mark);
    return true;
}

bool JsonDocument::parse_object(int depth) {
    Node object;
    object.offset = static_cast<std::uint32_t>(at_);
    object.kind = Kind::object;
    ++at_;
    const std::size_t mark = stack_.size();
    if (!take('}')) {
        do {
            skip_space();
            if (at_ >= text_.size() || text_[at_] != '"') return fail("expected a member's name");
            if (!parse_string()) return false;
            if (!take(':')) return fail("expected \":\"");
            if (!parse_value(depth + 1)) return false;
        } while (take(','));
        if (!take('}')) return fail("expected \",\" or \"}\"");
    }
    close_container(object, mark);
    return true;
}

bool JsonDocument::parse_string() {
    Node node;
    node.kind = Kind::string;
    node.offset = static_cast<std::uint32_t>(at_);
    node.first = static_cast<std::uint32_t>(strings_.size());
    ++at_;
    const auto code_unit = [this](std::uint32_t& unit) {
        if (at_ + 4 > text_.size()) return false;
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hex_value(text_[at_ + static_cast<std::size_t>(i)]);
            if (digit < 0) return false;
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
        }
        at_ += 4;
        return true;
    };
    while (at_ < text_.size() && text_[at_] != '"') {
        const auto byte = static_cast<unsigned char>(text_[at_]);
        if (byte < 0x20) return fail("expected no control character in a string");
        if (byte != '\\') {
            strings_ += text_[at_++];
            continue;
        }
        ++at_;
        const char escape = at_ < text_.size() ? text_[at_++] : '\0';
        const std::size_t simple = std::string_view("\"\\/bfnrt").find(escape);
        if (simple != std::string_view::npos) {
            strings_ += "\"\\/\b\f\n\r\t"[simple];
            continue;
        }
        std::uint32_t unit = 0;
        if (escape != 'u' || !code_unit(unit)) return fail("expected an escape");
        if (unit >= 0xDC00 && unit <= 0xDFFF) return fail("expected no lone low surrogate");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(at_, 2) != "\\u" || (at_ += 2, !code_unit(low)) || low < 0xDC00 || low > 0xDFFF)
                return fail("expected a low surrogate after a high one");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        append_utf8(strings_, unit);
    }
    if (at_ >= text_.size()) return fail("expected the end of the string");
    ++at_;
    node.count = static_cast<std::uint32_t>(strings_.size() - node.first);
    stack_.push_back(node);
    return true;
}

bool JsonDocument::parse_number() {
    Node node;
    node.kind = Kind::number;
    node.offset = static_cast<std::uint32_t>(at_);
    const std::size_t start = at_;
    if (text_[at_] == '-') ++at_;
    const std::size_t digits = at_;
    while (at_ < text_.size() && is_digit(text_[at_])) ++at_;
    const auto refuse = [&] {
        at_ = start;
        return fail("expected a number");
    };
    if (at_ == digits || (text_[digits] == '0' && at_ - digits > 1)) return refuse();
    const std::size_t integer_end = at_;
    if (at_ < text_.size() && text_[at_] == '.') {
        ++at_;
        const std::size_t fraction = at_;
        while (at_ < text_.size() && is_digit(text_[at_])) ++at_;
        if (at_ == fraction) return refuse();
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
        ++at_;
        if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
        const std::size_t exponent = at_;
        while (at_ < text_.size() && is_digit(text_[at_])) ++at_;
        if (at_ == exponent) return refuse();
    }
    if (at_ == integer_end) {
        const auto [stop, error] = std::from_chars(text_.data() + start, text_.data() + at_, node.value);
        if (error == std::errc{} && stop == text_.data() + at_) node.kind = Kind::integer;
    }
    if (node.kind == Kind::number) node.count = static_cast<std::uint32_t>(at_ - start);
    stack_.push_back(node);
    return true;
}

std::size_t JsonDocument::size(const Node& container) const {
    return container.kind == Kind::object ? container.count / 2 : container.count;
}

std::span<const std::int64_t> JsonDocument::integer_list(const Node& array) const {
    if (array.kind != Kind::integers) return {};
    return std::span<const std::int64_t>(integers_).subspan(array.first, array.count);
}

std::string_view JsonDocument::name(const Node& object, std::size_t member) const {
    return text(nodes_[object.first + 2 * member]);
}

const JsonDocument::Node* JsonDocument::member(const Node& object, std::string_view wanted) const {
    if (object.kind != Kind::object) return nullptr;
    for (std::size_t i = 0; i < size(object); ++i)
        if (name(object, i) == wanted) return &value(object, i);
    return nullptr;
}

int JsonDocument::line(const Node& node) const {
    return static_cast<int>(std::count(text_.begin(), text_.begin() + node.offset, '\n')) + 1;
}

int JsonDocument::item_line(const Node& array, std::size_t index) const {
    if (array.kind == Kind::array && index < array.count) return line(item(array, index));
    if (array.kind != Kind::integers) return line(array);
    std::size_t at = array.offset + 1;
    for (std::size_t i = 0; i <= index; ++i) {
        while (is_space(text_[at]) || text_[at] == ',') ++at;
        if (i == index) break;
        while (is_number_byte(text_[at])) ++at;
    }
    return static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at), '\n')) + 1;
}

}  // namespace hndpos
