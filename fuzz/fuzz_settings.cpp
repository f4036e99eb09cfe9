// The settings reader fed an arbitrary file.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "InitSettings.h"
#include "SettingsFile.h"
#include "TempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TempFile input(data, size);
    if (!input.Ok()) {
        return 0;
    }
    InitSettings settings;
    const int read = ReadSettings(settings, input.Path());
    FUZZ_CHECK(read >= 0 && read <= InitSettings::kFieldCount);
    for (const std::string* text : {&settings.lat, &settings.lon, &settings.height}) {
        FUZZ_CHECK(text->size() <= InitSettings::kMaxTextLength);
    }
    const std::int32_t port = ReadPortNumber(input.Path());
    if (read >= 1) {
        FUZZ_CHECK(port == settings.portNumber);
    }
    (void)StoredPortName(port);
    return 0;
}
