#pragma once

// The debug channel of the library, on for one test.
class Debug_channel_on {
public:
    Debug_channel_on();
    ~Debug_channel_on();
    Debug_channel_on(const Debug_channel_on&) = delete;
    Debug_channel_on& operator=(const Debug_channel_on&) = delete;
};
