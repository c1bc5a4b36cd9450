#pragma once
#include "platform/iso/TC_client_List_facade.h"
#include "platform/iso/TC_client_Relaying_adaptor.h"

namespace TC_client {

// The condensed work state of up to 16 members (ISO 11783-10): member i
// holds bits 2i and 2i + 1 of the value, and the bits of a missing member
// are 3, "not installed".
class Condensed_pd_adaptor : public Relaying_adaptor {
public:
    static constexpr int max_members = 16;

    // The members, in order; each reports to this adaptor from now on.
    void set_member_list(List_facade<Process_data_adaptor_raw>* members);
    List_facade<Process_data_adaptor_raw>* get_member_list() const { return members_; }

    // Gives each member its two bits.
    void handle_set(int32_t raw) override;
    int32_t handle_get() override;
    void start(waiter_descriptor* waiter) override;
    void stop() override;
    // A member changed: the whole value is reported again.
    void new_value(void* sender, int raw) override;

private:
    int member_count() const;

    List_facade<Process_data_adaptor_raw>* members_ = nullptr;
};

}
