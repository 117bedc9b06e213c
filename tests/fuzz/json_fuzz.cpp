// The JSON reader against itself: whatever it takes, written out again in
// one canonical form, reads back to that same form; whatever it refuses,
// it refuses with a line and a reason.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "read/json.h"

namespace {

using hndpos::JsonDocument;
using Kind = JsonDocument::Kind;

void quote(std::string_view text, std::string& out) {
    static constexpr char digits[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && c != '"' && c != '\\') {
            out += c;
            continue;
        }
        out += "\\u00";
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    out += '"';
}

// Valid JSON of the document as read: a number that is no integer as 0.5.
void canonical(const JsonDocument& document, const JsonDocument::Node& node, std::string& out) {
    switch (node.kind) {
    case Kind::null: out += "null"; return;
    case Kind::boolean: out += node.value != 0 ? "true" : "false"; return;
    case Kind::number: out += "0.5"; return;
    case Kind::integer: out += std::to_string(node.value); return;
    case Kind::string: quote(document.text(node), out); return;
    case Kind::integers:
        out += '[';
        for (std::size_t i = 0; i < node.count; ++i)
            out += (i > 0 ? "," : "") + std::to_string(document.integer_list(node)[i]);
        out += ']';
        return;
    case Kind::array:
        out += '[';
        for (std::size_t i = 0; i < document.size(node); ++i) {
            if (i > 0) out += ',';
            canonical(document, document.item(node, i), out);
        }
        out += ']';
        return;
    case Kind::object:
        out += '{';
        for (std::size_t i = 0; i < document.size(node); ++i) {
            if (i > 0) out += ',';
            quote(document.name(node, i), out);
            out += ':';
            canonical(document, document.value(node, i), out);
        }
        out += '}';
        return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    JsonDocument document;
    if (!document.parse({reinterpret_cast<const char*>(data), size})) {
        if (document.error().empty() || document.error_line() < 1) std::abort();
        return 0;
    }
    std::string first;
    canonical(document, document.root(), first);
    JsonDocument reread;
    if (!reread.parse(first)) std::abort();
    std::string second;
    canonical(reread, reread.root(), second);
    if (first != second) std::abort();
    return 0;
}
