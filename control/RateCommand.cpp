#include "RateCommand.h"

#include <cstdio>

std::string RateCommandBody(int messageCode, bool selected, std::int32_t rate,
                            std::int32_t checksumFlag) {
    char body[64];  // the longest body, with two 11-character numbers, has 34 characters
    if (selected) {
        std::snprintf(body, sizeof body, "$PQKL103,%02d,00,%02d,%02d*", messageCode, rate,
                      checksumFlag);
    } else {
        std::snprintf(body, sizeof body, "$PQKL103,%02d,00,00,%2d*", messageCode, checksumFlag);
    }
    return body;
}
