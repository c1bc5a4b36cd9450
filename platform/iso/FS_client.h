#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

class ZEV_smart_stack;

namespace FS {

// The link to an ISO 11783-13 file server, as a task of its own: it finds a
// server by its status messages, keeps the connection alive, numbers and
// sends the requests of its interface and hands the answers over to the
// interface's task. The operations themselves run in FS_client_interface.
//
// A server is taken when its status is heard from an address whose NAME is
// known (and matches the server NAME given to init, unless that is
// GLOBAL_NAME); it is connected once it has answered the properties request.
// A server not heard from for status_timeout_ms is lost.
class FS_client : public Diner {
public:
    static constexpr int status_timeout_ms = 6000;
    static constexpr int maintenance_period_ms = 2000;
    // Longer than a lost server takes to notice, so that a server that falls
    // silent is reported lost rather than as an unanswered request; counted
    // afresh while the server says it is busy.
    static constexpr int answer_timeout_ms = 10000;

    // Codes of the events posted to the attached waiter, on this task's module.
    enum News : uint32_t {
        news_answer = 1,    // an answer waits in take_answer
        news_server = 2,    // get_server changed: connection, busy state
        news_no_answer = 3, // the last request was not answered in time
    };

    struct Server {
        bool connected = false;
        bool busy = false;
        uint8_t address = 0xFE;
        uint16_t manufacturer = 0; // of the server's NAME
        uint8_t version = 0;       // from its properties
    };

    explicit FS_client(module_man* manager);
    ~FS_client() override;

    // Names the task ("FSC") and listens for file servers on the stack.
    // working_set: the NAME whose address sends the requests; GLOBAL_NAME
    // takes the one set with FS_client_interface::set_iso_name. server: the
    // server to use; GLOBAL_NAME takes any. flags: none defined, give 0.
    // False when the stack is null or the task cannot be named.
    bool init(ZEV_smart_stack* stack, const ZEV_name::RAWNAME& working_set, const ZEV_name::RAWNAME& server,
              int flags);

    // The waiter that hears the news (one; null to stop).
    void attach(waiter_descriptor* waiter);
    // Sends a request to the server with the next TAN in byte 1: the TAN, or
    // -1 when no server is connected or the request cannot go.
    int send_request(std::vector<uint8_t> request);
    // The oldest answer not yet taken; false when none is left.
    bool take_answer(std::vector<uint8_t>& answer);
    Server get_server() const;

protected:
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    void on_message(uint8_t source, const uint8_t* data, size_t length);
    void take_server(uint8_t address);
    void lose_server();
    bool send_locked(const std::vector<uint8_t>& bytes);
    void post(News news);

    module_man* const manager_;
    ZEV_smart_stack* stack_ = nullptr;
    ZEV_name::RAWNAME working_set_;
    ZEV_name::RAWNAME server_filter_;
    std::vector<uint8_t> buffer_;

    mutable std::mutex mutex_;
    waiter_descriptor* attached_ = nullptr;
    Server server_;
    bool has_server_ = false;
    uint8_t next_tan_ = 0;
    int pending_tan_ = -1; // the request waiting for its answer
    std::deque<std::vector<uint8_t>> answers_;

    Timeout maintenance_{true, maintenance_period_ms};
    Timeout status_watch_{false, status_timeout_ms};
    Timeout answer_watch_{false, answer_timeout_ms};
};

}
