#pragma once

#include "GnssSystem.h"

// The name of NMEA 4.11 signal ID 0-15 of `system` ("L1 C/A", "E5b", "B1I"); IDs the table
// leaves reserved get "signal X" with X the hex digit. Nothing (nullptr) for -1, a GSV
// without signal ID.
const char* SignalName(GnssSystem system, int signalId);
