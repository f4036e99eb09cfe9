#pragma once

// Takes over, once, the settings an earlier version kept under Qt's placeholder
// organisation ("Unknown Organization"), when the program's own settings are still empty.
void AdoptEarlierSettings();
