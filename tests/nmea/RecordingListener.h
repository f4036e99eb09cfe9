#pragma once

#include <string>
#include <vector>

#include "DecodeListener.h"

// Keeps every call the intake makes, in order, as short readable lines.
class RecordingListener : public DecodeListener {
public:
    std::vector<std::string> calls;
    std::vector<std::string> framed;

    void SentenceFramed(const char* text) override {
        framed.emplace_back(text);
        calls.push_back("framed");
    }
    void ShowMessageRow(int row, const char* text) override {
        calls.push_back("row " + std::to_string(row) + " " + text);
    }
    void ShowMeasuredValues(SentenceType type, const NavState&) override {
        calls.push_back("values " + std::to_string(static_cast<int>(type)));
    }
    void ShowSatelliteRows(int number, int count, const NavState&) override {
        calls.push_back("sats " + std::to_string(number) + "/" + std::to_string(count));
    }
    void SentenceDecoded(const char*, const NavState&) override { calls.push_back("decoded"); }
};
