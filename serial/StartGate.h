#pragma once

#include <future>

// Holds a new thread back until its owner lets it run or calls it off, so that a thread can be
// created first and started once everything else is in place.
class StartGate {
public:
    StartGate() : decided_(decision_.get_future()) {}

    // Owner's side; only the first of the two counts.
    void Open() { Decide(true); }
    void Cancel() { Decide(false); }

    // Thread's side, once: blocks until the owner has decided; true when it may run.
    bool Wait() { return decided_.get(); }

private:
    void Decide(bool run) {
        if (!isDecided_) {
            isDecided_ = true;
            decision_.set_value(run);
        }
    }

    std::promise<bool> decision_;
    std::future<bool> decided_;
    bool isDecided_ = false;  // owner's thread only
};
