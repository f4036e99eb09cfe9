#pragma once

#include <optional>
#include <string>

#include "DecodeOptions.h"
#include "TtffSession.h"

// The options of the position survey and the time-to-first-fix test:
//   --survey, --survey=LAT,LON,ALT, --ttff=hot|warm|cold, --runs=N, --timeout=S.

// Applies `argument` when it is one of them: true when it was applied, false with `error`
// set when its value is bad; nothing when the argument is another option.
std::optional<bool> ApplyMeasurementOption(const std::string& argument, DecodeOptions& options,
                                           std::string& error);

// After all arguments: false with `error` set when they do not go together (--runs without
// --ttff, --ttff with --survey, --stats or --duration).
bool CheckMeasurementOptions(const DecodeOptions& options, std::string& error);

// The test --ttff, --runs and --timeout ask for (defaults for what is not given).
TtffPlan TtffPlanOf(const DecodeOptions& options);
