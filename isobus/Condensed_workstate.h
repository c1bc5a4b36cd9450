#pragma once
#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Condensed_workstate_reference.h"

// One condensed work-state value of a boom: the work states of its sections,
// in section order, two bits each.
class Condensed_workstate : public TC_client::Condensed_workstate_reference {
public:
    void add_member(TC_client::Process_data_adaptor_raw* member) { members_.append(member); }
    bool empty() const { return members_.count() == 0; }
    // The condensed adaptor takes the members; they report to it from now on.
    void attach_members() { get_adaptor().set_member_list(&members_); }

private:
    TC_client::QList_list_facade<TC_client::Process_data_adaptor_raw> members_;
};
