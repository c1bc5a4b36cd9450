#pragma once
#include <string>

// A plain TCP client of a CAN server, for tests: writes what it is told and
// reads what comes, within a time limit.
class Tcp_test_client {
public:
    // Connects to 127.0.0.1; a receive_buffer above 0 makes the socket's
    // buffer that small, so that a client that does not read is soon full.
    explicit Tcp_test_client(int port, int receive_buffer = 0);
    ~Tcp_test_client();
    Tcp_test_client(const Tcp_test_client&) = delete;
    Tcp_test_client& operator=(const Tcp_test_client&) = delete;

    bool connected() const { return fd_ >= 0; }
    // The server has ended the connection (seen by read_until).
    bool ended() const { return ended_; }
    void write(const std::string& text);
    // Reads until what came holds wanted (true) or timeout_ms pass (false);
    // what came up to and with wanted is taken into got.
    bool read_until(const std::string& wanted, std::string& got, int timeout_ms = 5000);
    // Reads and drops what comes until the server ends the connection (true)
    // or timeout_ms pass (false).
    bool read_to_end(int timeout_ms);
    // The greeting, "< open can0 >" and "< rawmode >", each answered as expected.
    bool open_raw();

private:
    int fd_ = -1;
    bool ended_ = false;
    std::string pending_;
};
