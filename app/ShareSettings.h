#pragma once

#include <QtGlobal>

// "Share on Network": whether the received sentences are served, on which TCP port and to
// whom. Kept between runs with QSettings (the user's configuration folder), apart from
// "pelzo.cfg".
struct ShareSettings {
    static constexpr quint16 kDefaultPort = 10110;  // the registered NMEA 0183 port

    bool enabled = false;
    quint16 port = kDefaultPort;
    bool allNetworks = false;  // false: this computer only

    bool operator==(const ShareSettings&) const = default;

    static ShareSettings Load();
    void Save() const;
};
