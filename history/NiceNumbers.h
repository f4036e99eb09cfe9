#pragma once

// Round numbers for the scales of charts: 1, 2 or 5 times a power of ten.

// The smallest round number at or above `value` (1 for a value at or below 0).
double NiceCeiling(double value);

// The smallest round step that splits `range` into at most `most` steps.
double NiceStep(double range, int most);

// The digits after the point that labels at multiples of a round `step` need.
int DecimalsFor(double step);
