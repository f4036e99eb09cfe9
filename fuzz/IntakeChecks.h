#pragma once

#include "DecodeListener.h"
#include "NavState.h"
#include "ReceiveBuffer.h"

// Checks the ring's bounds after each change.
void CheckRing(const ReceiveBuffer& buffer);

// Checks every framed sentence and the decoded record after every sentence.
class CheckingListener : public DecodeListener {
public:
    void SentenceFramed(const char* text) override;
    void SentenceDecoded(const char* text, const NavState& nav) override;
};

// Every float of the record is finite, satellites' slots included.
void CheckNavState(const NavState& nav);
