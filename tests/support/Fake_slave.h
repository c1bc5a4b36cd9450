#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// A stand-in for the slave processors at the far end of the serial link: a
// raw pseudo-terminal whose device is reachable at a chosen path. Every good
// request of the controller (0x31) to an address 50..71 gets a good reply
// from that address with the same command and the data that request
// expects (Fake_slave_replies, Fake_slave_monitor); the weigh-scale text
// request gets the scale's text reply. Frames are read and written by this
// class's own code, never by the link it is there to check.
class Fake_slave {
public:
    static constexpr uint8_t controller_address = 0x31;
    static constexpr uint8_t first_address = 50;
    static constexpr uint8_t last_address = 71;
    // With echo, how long after its request's echo a reply follows.
    static constexpr int echo_pause_ms = 20;

    struct Settings {
        std::string link;       // path made a symbolic link to the device (none when empty)
        bool echo = false;      // write each request back before replying, as a shared line does
        std::set<int> silent;   // addresses that never reply
    };
    // Receives one line per frame handled, with its time; an empty one prints
    // the lines on standard output.
    using Log = std::function<void(const std::string& line)>;

    explicit Fake_slave(Settings settings, Log log = {});
    ~Fake_slave(); // stops
    Fake_slave(const Fake_slave&) = delete;
    Fake_slave& operator=(const Fake_slave&) = delete;

    // Opens the terminal, makes the link and starts answering; false with
    // the reason when it cannot.
    bool start(std::string& error);
    // Stops answering, closes the terminal (its far side sees a hang-up) and
    // removes the link.
    void stop();
    // The terminal's device path, once started.
    const std::string& get_device() const { return device_; }

    // Switches that take effect from the next request on.
    void set_silent(int address, bool silent);
    void set_echo(bool echo);
    // The drives of a stalled address report no pulse, whatever they are asked.
    void set_stalled(int address, bool stalled);

private:
    void run();
    // Takes every whole frame off the front of the received bytes.
    void handle_received();
    void handle_frame(const std::vector<uint8_t>& frame);
    void handle_scale_request(const std::vector<uint8_t>& text);
    // Writes the reply, after the echo of the request when echo is on; the log line.
    void answer(const std::vector<uint8_t>& request, const std::vector<uint8_t>& reply, std::string line);
    void write_all(const std::vector<uint8_t>& bytes);
    // Puts the address in or takes it out of one of the switches' sets.
    void switch_address(std::set<int>& addresses, int address, bool on);
    void log(const std::string& text);

    const Settings settings_;
    const Log log_;
    std::string device_;
    int master_fd_ = -1;
    int slave_fd_ = -1; // held open so the master never sees a hang-up between users
    int wake_fd_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    std::vector<uint8_t> received_;
    std::mutex switches_mutex_;
    std::set<int> silent_;
    std::set<int> stalled_;
    bool echo_ = false;
};
