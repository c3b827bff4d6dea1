#pragma once

#include <string>
#include <string_view>

namespace grelvin::testing {

// An expected text written with bare line feeds, as the file holds it: each
// line feed preceded by a carriage return.
inline std::string crlf(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result += '\r';
        }
        result += c;
    }
    return result;
}

}  // namespace grelvin::testing
