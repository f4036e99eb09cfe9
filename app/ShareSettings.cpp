#include "ShareSettings.h"

#include <QSettings>

namespace {

constexpr char kEnabled[] = "share/enabled";
constexpr char kPort[] = "share/port";
constexpr char kAllNetworks[] = "share/allNetworks";

}  // namespace

ShareSettings ShareSettings::Load() {
    const QSettings settings;
    ShareSettings loaded;
    loaded.enabled = settings.value(kEnabled, false).toBool();
    const uint port = settings.value(kPort, kDefaultPort).toUInt();
    loaded.port = port >= 1 && port <= 65535 ? static_cast<quint16>(port) : kDefaultPort;
    loaded.allNetworks = settings.value(kAllNetworks, false).toBool();
    return loaded;
}

void ShareSettings::Save() const {
    QSettings settings;
    settings.setValue(kEnabled, enabled);
    settings.setValue(kPort, port);
    settings.setValue(kAllNetworks, allNetworks);
}
