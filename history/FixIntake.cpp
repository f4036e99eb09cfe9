#include "FixIntake.h"

#include <optional>

FixIntake::FixIntake(PositionStatistics& statistics, TalkerFilter filter)
    : statistics_(statistics), filter_(filter) {}

void FixIntake::Sentence(std::string_view text) {
    const std::optional<GgaSentence> gga = ReadGga(text, filter_);
    if (!gga || !gga->IsPositionFix()) {
        return;
    }
    if (gga->secondOfDay) {
        lastTime_ = clock_.Continuous(*gga->secondOfDay);
    }
    statistics_.Add(lastTime_, {*gga->latitude, *gga->longitude, *gga->altitude});
}
