#include "HiddenTalkers.h"

#include <algorithm>

#include "SentenceAddress.h"

bool HiddenTalkers::Note(std::string_view sentence) {
    const std::string_view address = sentence.substr(0, sentence.find_first_of(",*\r\n"));
    const std::optional<SentenceAddress> parsed = SentenceAddress::Parse(address);
    if (!parsed || parsed->talker == Talker::GP) {
        return false;
    }
    const std::string talker(address.substr(0, 2));
    if (std::find(talkers_.begin(), talkers_.end(), talker) != talkers_.end()) {
        return false;
    }
    talkers_.push_back(talker);
    return true;
}

std::string HiddenTalkers::Text() const {
    if (talkers_.empty()) {
        return {};
    }
    std::string names = talkers_.front();
    for (std::size_t i = 1; i < talkers_.size(); ++i) {
        names += (i + 1 == talkers_.size() ? " and " : ", ") + talkers_[i];
    }
    return names + " sentences are not shown: Setup > Satellite Systems";
}
