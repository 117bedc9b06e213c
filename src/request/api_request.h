// The JavaScript API's options as a program's arguments: each key is an
// option of the program's table (its API key), each value of the type the
// option's values take, so that the API reaches every option the program
// has and nothing else, and the program itself then reads the arguments.
//
//   a flag            true or false                    bounds: true
//   one value         an integer or a text             subpixel: 3, type: "u16"
//   several values    an array of them                 center: [160, 120]
//   repeatable        an array of occurrences, each    figures: [{name, positions,
//                     an array or an object keyed by      points: [[A, B], ...]}]
//                     the values' names in lower case
//   points            [[A, B], ...] or "A,B A,B"
//   a time of day     [hours, minutes, seconds]        time: [10, 8, 30]
//
// A null value is the option left out.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "request/options.h"

namespace hndpos {

struct ApiArguments {
    std::vector<std::string> arguments;
    std::string problem;  // naming the key, where the options are refused
};

ApiArguments api_arguments(std::span<const Option> table, std::string_view options_json);

}  // namespace hndpos
