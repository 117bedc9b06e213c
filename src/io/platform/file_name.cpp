#include "io/platform/platform.h"

namespace hndpos::platform {
namespace {

bool is_lead_byte(std::uint8_t byte, std::span<const LeadByteRange> lead_bytes) {
    for (const LeadByteRange& range : lead_bytes)
        if (byte >= range.first && byte <= range.last) return true;
    return false;
}

}  // namespace

std::string_view file_name_part(std::string_view full_name, std::span<const LeadByteRange> lead_bytes) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < full_name.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(full_name[i]);
        if (is_lead_byte(byte, lead_bytes)) {
            ++i;  // the trail byte belongs to the character
        } else if (byte == '\\') {
            start = i + 1;
        }
    }
    return full_name.substr(start);
}

}  // namespace hndpos::platform
