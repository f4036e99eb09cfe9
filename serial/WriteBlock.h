#pragma once

#include <cstdint>
#include <memory>

// A copy of the bytes given to WriteData, owned by whoever holds the block.
struct WriteBlock {
    std::unique_ptr<char[]> data;
    std::uint16_t count = 0;
};
