#pragma once
#include "platform/ui/Stat.h"
#include "platform/ui/Stat_indicator_gen_client.h"

#include <vector>

namespace VT {
class Rectangle_obj;
}

// A state shown by colour: every client object takes the fill of the state,
// under the lock of the object's pool.
class Stat_indicator : public Stat {
public:
    using Client = Stat_indicator_gen_client<VT::Rectangle_obj>;

    Stat_indicator() = default;

    void init(Stat_collector* collector);
    void add_client(Client& client);
    // Every client takes the state's fill now.
    void set_state(unsigned int state);
    // -1 until a state is set.
    int get_state() const { return state_; }

    bool takes(uint16_t) const override { return false; }
    void send_update(bool) override {}

private:
    std::vector<Client*> clients_;
    int state_ = -1;
};
