// The playback feeder fed an arbitrary file, with the intake decoding what it feeds.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "DecodeTick.h"
#include "FuzzCheck.h"
#include "IntakeChecks.h"
#include "NavState.h"
#include "PlaybackFeeder.h"
#include "ReceiveBuffer.h"
#include "TempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TempFile input(data, size);
    if (!input.Ok()) {
        return 0;
    }
    std::FILE* file = std::fopen(input.Path(), "rb");
    if (file == nullptr) {
        return 0;
    }
    ReceiveBuffer buffer;
    NavState nav;
    DecodeTick tick(buffer, nav);
    CheckingListener listener;

    // Every call reads at least one byte unless it feeds nothing, so this ends.
    int calls = 0;
    for (;;) {
        const int fed = FeedPlaybackLines(file, buffer);
        FUZZ_CHECK(fed >= 0 && fed <= kPlaybackLinesPerCall);
        CheckRing(buffer);
        if (fed == 0 && (std::feof(file) || std::ferror(file))) {
            break;
        }
        FUZZ_CHECK(++calls <= static_cast<int>(size) + 1);
        tick.Run(listener);
        CheckRing(buffer);
    }
    std::fclose(file);
    tick.Drain(listener);
    CheckRing(buffer);
    return 0;
}
