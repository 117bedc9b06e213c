// The command-line splitter against a state-table model, plus invariants.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "driver/command_line.h"

namespace {

enum class State { between, token, quoted };

// Walks the line once: between tokens separators and "" pairs are passed
// over, a token runs to a separator outside quotes. Token 0 is the program.
std::vector<std::string> model(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    std::vector<std::string> tokens;
    std::string current;
    State state = State::between;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool separator = static_cast<unsigned char>(c) <= 0x20;
        switch (state) {
        case State::between:
            if (separator) break;
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
                break;
            }
            state = c == '"' ? State::quoted : State::token;
            if (c != '"') current += c;
            break;
        case State::token:
            if (separator) {
                tokens.push_back(current);
                current.clear();
                state = State::between;
            } else if (c == '"') {
                state = State::quoted;
            } else {
                current += c;
            }
            break;
        case State::quoted:
            if (c == '"') {
                state = State::token;
            } else {
                current += c;
            }
            break;
        }
    }
    if (state != State::between) tokens.push_back(current);
    if (!tokens.empty()) tokens.erase(tokens.begin());  // the program itself
    // An empty token ends the arguments (only a lone quote at the end makes one).
    for (std::size_t k = 0; k < tokens.size(); ++k)
        if (tokens[k].empty()) tokens.resize(k);
    return tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> expected = model(line);
    const int count = hndpos::raw_argument_count(line);
    if (count != static_cast<int>(expected.size())) std::abort();
    for (int k = 1; k <= count; ++k) {
        const std::string text = hndpos::raw_argument_text(line, k);
        if (text != expected[static_cast<std::size_t>(k - 1)]) std::abort();
        if (text.empty() || text.find('"') != std::string::npos) std::abort();
    }
    if (!hndpos::raw_argument_text(line, count + 1).empty()) std::abort();
    return 0;
}
