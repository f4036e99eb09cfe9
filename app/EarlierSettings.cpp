#include "EarlierSettings.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

// Where Qt put the settings while the program named no organisation.
constexpr const char* kEarlierOrganization = "Unknown Organization";

}  // namespace

void AdoptEarlierSettings() {
    QSettings current;
    if (!current.allKeys().isEmpty()) {
        return;
    }
    const QSettings earlier(QSettings::NativeFormat, QSettings::UserScope, kEarlierOrganization,
                            QCoreApplication::applicationName());
    for (const QString& key : earlier.allKeys()) {
        current.setValue(key, earlier.value(key));
    }
}
