#pragma once

#include <stdexcept>

// The serial component's error: OpenPort raises it with one of the texts below.
class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static constexpr const char* kAlreadyOpened = "This serial port already opened";
    static constexpr const char* kCannotOpen = "Error opening serial port";
    // The trailing blank belongs to the message.
    static constexpr const char* kNotCommHandle = "File handle is not a comm handle ";
    static constexpr const char* kCannotSetup = "Cannot setup comm buffer";
    static constexpr const char* kCannotCreateEvent = "Unable to create event";
    static constexpr const char* kCannotCreateReadThread = "Unable to create read thread";
    static constexpr const char* kCannotCreateWriteThread = "Unable to create write thread";
};
