// The receive ring, framing and decoding fed arbitrary bytes in arbitrary chunks.
//
// Input layout, repeated: a size byte, a control byte, then the chunk itself.
// The chunk is (size + 1) bytes (fewer at the end of the input) and is put into the ring
// 1 + (control >> 4) times, so a few input bytes can fill the ring. A decode tick runs
// after the chunk unless bit 0 of the control byte is set: runs of set bits let the ring
// overflow and drop bytes. At the end everything still whole is drained.
#include <cstddef>
#include <cstdint>

#include "DecodeTick.h"
#include "FuzzCheck.h"
#include "IntakeChecks.h"
#include "NavState.h"
#include "ReceiveBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReceiveBuffer buffer;
    NavState nav;
    DecodeTick tick(buffer, nav);
    CheckingListener listener;

    std::size_t at = 0;
    while (at + 2 <= size) {
        const std::size_t wanted = static_cast<std::size_t>(data[at]) + 1;
        const std::uint8_t control = data[at + 1];
        at += 2;
        const std::size_t length = wanted < size - at ? wanted : size - at;
        const int repeats = 1 + (control >> 4);
        for (int r = 0; r < repeats; ++r) {
            for (std::size_t i = 0; i < length; ++i) {
                const std::int32_t before = buffer.Count();
                const std::uint8_t stored = buffer.Put(data[at + i]);
                if (before < ReceiveBuffer::kCapacity) {
                    FUZZ_CHECK(stored == data[at + i] && buffer.Count() == before + 1);
                } else {
                    FUZZ_CHECK(stored == 0 && buffer.Count() == before);
                }
                CheckRing(buffer);
            }
        }
        at += length;
        if ((control & 1) == 0) {
            const int decoded = tick.Run(listener);
            FUZZ_CHECK(decoded >= 0 && decoded <= DecodeTick::kMaxSentencesPerTick);
            CheckRing(buffer);
        }
    }
    tick.Drain(listener);
    CheckRing(buffer);
    CheckNavState(nav);
    return 0;
}
