// RFC 8259 JSON, read into one compact document: what the viewer reads
// back of hndpos-tables' JSON, and what the JavaScript API hands over as a
// request.
//
// Memory is bounded by the input: a value is one 16-byte node, and an
// array of integers (the tables' entries) keeps its integers packed, 8
// bytes each, so no document costs more than about 8 bytes a byte of its
// text. Nesting is bounded, so that no input exhausts the stack. Strings
// are decoded (escapes, \u with surrogate pairs, as UTF-8); a UTF-8 byte
// order mark before the document is skipped. Numbers are kept where they
// are integers that fit 64 bits; others by where their text lies.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hndpos {

class JsonDocument {
public:
    enum class Kind : std::uint8_t { null, boolean, number, integer, string, array, integers, object };

    struct Node {
        std::int64_t value = 0;    // an integer; a boolean's truth
        std::uint32_t first = 0;   // a container's first child, a string's first byte
        std::uint32_t count = 0;   // children (an object's: name, value, ...), integers, bytes
        std::uint32_t offset = 0;  // where it starts in the text
        Kind kind = Kind::null;
    };

    // The depth of nesting the reader takes.
    static constexpr int max_depth = 16;

    // Parses the whole text; false with the problem and its line.
    bool parse(std::string_view text);
    const std::string& error() const { return error_; }
    int error_line() const { return error_line_; }

    const Node& root() const { return nodes_.back(); }

    // Arrays: their length, and each item (a packed integer has no node:
    // ask integer_list). An empty array is of kind array.
    std::size_t size(const Node& container) const;
    const Node& item(const Node& array, std::size_t index) const { return nodes_[array.first + index]; }
    std::span<const std::int64_t> integer_list(const Node& array) const;
    // Objects: their members by index, or one by name (null where absent).
    std::string_view name(const Node& object, std::size_t member) const;
    const Node& value(const Node& object, std::size_t member) const { return nodes_[object.first + 2 * member + 1]; }
    const Node* member(const Node& object, std::string_view wanted) const;
    std::string_view text(const Node& string) const {
        return std::string_view(strings_).substr(string.first, string.count);
    }

    // A number that is not an integer as the text spells it ("232.5"); the
    // text must outlive the document for this.
    std::string_view number_text(const Node& number) const { return text_.substr(number.offset, number.count); }

    // The line a node starts on, and the line of an array's item (packed
    // or not), 1-based.
    int line(const Node& node) const;
    int item_line(const Node& array, std::size_t index) const;

private:
    bool parse_value(int depth);
    bool parse_array(int depth);
    bool parse_object(int depth);
    bool parse_string();
    bool parse_number();
    bool fail(std::string message);
    void skip_space();
    bool take(char c);
    // Moves the children above `mark` on the stack to the document, as the
    // children of `container`.
    void close_container(Node& container, std::size_t mark);

    std::string_view text_;
    std::size_t at_ = 0;
    std::vector<Node> nodes_;
    std::vector<Node> stack_;
    std::vector<std::int64_t> integers_;
    std::vector<std::int64_t> integer_stack_;
    std::string strings_;
    std::string error_;
    int error_line_ = 0;
};

}  // namespace hndpos
