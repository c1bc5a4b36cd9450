#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>
#include <string>

namespace VT {
class Object_pointer_obj;
}

// The software upgrade from a file on a file server volume. The screen only
// writes the command, the upgrade type and the file's path into the store;
// the file-server client carries the command out and reports state,
// progress and error back there.
class FactoryUpgradeMask : public Data_screen {
public:
    // The commands of the file-server client that the screen gives.
    static constexpr uint8_t stop_command = 2, start_command = 3, list_volumes_command = 4;
    // The client's state of an upgrade that failed.
    static constexpr uint8_t failed_state = 4;
    // The volumes the store has room for.
    static constexpr unsigned max_volumes = 5;

    FactoryUpgradeMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Follows the client's status and the volume list.
    void post_snapshot_init() override;
    // Asks the client for the volume list.
    bool activate() override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    unsigned get_step() const { return step_; }
    unsigned get_volume_index() const { return volume_index_; }

private:
    // Shows status, volume, instruction and the keys of the step, while shown.
    void refresh();
    void set_step(unsigned step);
    // The selected volume's name; false when the server has none. An index
    // beyond the volumes there are goes back to the first.
    bool selected_volume(std::string& name);
    // Writes the path of the chosen type's file on the selected volume and
    // starts the upgrade; a path that does not fit the store is not started.
    void start();
    void show_key(int slot, uint16_t key);
    void command(uint8_t command);

    const Screen_objects objects_;
    Window::Activator advanced_menu_, main_screen_, toggle_volume_, start_, stop_, continue_;
    CDS::Virt_listener<FactoryUpgradeMask> status_listener_{this};
    // The volume list comes after the activation that asks for it.
    CDS::Virt_listener<FactoryUpgradeMask> volumes_listener_{this};
    Stat_num progress_;
    Stat_string state_text_, error_text_, volume_text_, instruction_;
    Stat_list type_list_;
    // Four key places, then the one of Stop or Continue.
    std::array<VT::Object_pointer_obj*, 5> key_slots_{};
    std::array<uint16_t, 4> slot_keys_{};
    uint16_t stop_key_ = NULL_ID, continue_key_ = NULL_ID;
    unsigned step_ = 0; // 0 choosing, 1 upgrading or failed
    unsigned volume_index_ = 0;
    uint8_t type_ = 0;
};
