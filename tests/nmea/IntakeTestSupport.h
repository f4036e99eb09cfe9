#pragma once

#include <string>
#include <string_view>

#include "ReceiveBuffer.h"

inline void PutText(ReceiveBuffer& ring, std::string_view text) {
    for (char c : text) {
        ring.Put(static_cast<std::uint8_t>(c));
    }
}

// A well-formed sentence of exactly `length` bytes, "$" and CR LF included.
inline std::string SentenceOfLength(std::size_t length, char fill = 'X') {
    std::string s = "$GPZDA,";
    s.append(length - s.size() - 5, fill);
    s += "*00\r\n";
    return s;
}
