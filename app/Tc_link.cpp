#include "app/Tc_link.h"
#include "app/Net_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/can/Known_names.h"
#include "platform/rtos/Debug_base.h"

ZEV_name::NAME make_non_vtt_tc_server_name()
{
    ZEV_name::NAME name;
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::manufacturer_code,
             Known_names::get_seeder(0).get(ZEV_name::Field::manufacturer_code));
    name.set(ZEV_name::Field::function, TC_client::Controller::task_controller_function);
    return name;
}

Tc_link::Tc_link(module_man& manager, Data_store& store, NV_quvel::parameters_t& parameters,
                 waiter_descriptor& main_waiter, ZEV_smart_stack& stack, Working_set_member& member)
    : store_(store),
      parameters_(parameters),
      main_waiter_(main_waiter),
      model_(store, &parameters),
      nv_listener_(parameters, nullptr),
      listeners_(store.head, &nv_listener_),
      controller_(&manager, &stack, model_, member, &listeners_, parameters.system.specific_tc_timeout.get(),
                  ZEV_name::RAWNAME::from_stored(parameters.system.specific_tc_name.get())),
      watch_(store.head, main_waiter)
{
    controller_.add_client_waiter(&main_waiter_);
    if (store_.head.get(store_.body.system.non_vtt_connected))
        controller_.set_server_filter(make_non_vtt_tc_server_name());
    controller_.set_speed_source([this] { return double(store_.head.get(store_.body.vehicle.speed)); });
}

void Tc_link::start()
{
    follow();
    controller_.start();
}

void Tc_link::follow()
{
    const bool enabled = parameters_.system.tc_enabled.get();
    Debug_print::dprint("**** TC POOL enabled = %d ****\n", enabled ? 1 : 0);
    controller_.set_enabled(enabled);
    enabled_listener_.init(&parameters_.system.tc_enabled);
    enabled_listener_.autoreg(main_waiter_, false);
    ds_system& system = store_.body.system;
    watch_.add(system.non_vtt_connected);
    watch_.add(system.reset_tc);
    watch_.add(system.reset_tc_counter);
}

bool Tc_link::handle(const waiter_event& event)
{
    ds_system& system = store_.body.system;
    if (event.module == controller_.get_module_id()) {
        Debug_print::dprint("seeder_ecu app got tc_client event...");
        if (event.code == TC_client::Controller::event_pool_activated) {
            Debug_print::dprint("pool activated\n");
            pool_activated();
        } else if (event.code == TC_client::Controller::event_pool_deactivated) {
            Debug_print::dprint("pool deactivated\n");
            store_.head.set(system.tc_alive, false);
        } else {
            Debug_print::dprint("unhandled event\n");
        }
        return true;
    }
    if (watch_.is(event, system.non_vtt_connected)) {
        if (store_.head.get(system.non_vtt_connected)) {
            Debug_print::dprint("Switching to Solvane Mode\n");
            controller_.set_server_filter(make_non_vtt_tc_server_name());
            controller_.signal_model_changed();
        }
        return true;
    }
    if (watch_.is(event, system.reset_tc)) {
        if (store_.head.get(system.reset_tc)) {
            Debug_print::dprint("TC Reload required!!\n");
            store_.head.set(system.reset_tc, false);
            controller_.signal_model_changed();
        }
        return true;
    }
    if (watch_.is(event, system.reset_tc_counter)) {
        if (store_.head.get(system.reset_tc_counter) != 0)
            store_.head.set(system.reset_tc, true);
        return true;
    }
    return false;
}

void Tc_link::pool_activated()
{
    const uint64_t now = controller_.get_server_rawname().to_stored();
    const uint64_t last = parameters_.system.specific_tc_name.get();
    if (now != last) {
        Debug_print::dprint("Last TC was %llu now changed to %llu\n", static_cast<unsigned long long>(last),
                            static_cast<unsigned long long>(now));
        parameters_.system.specific_tc_name.set(now);
    }
    store_.head.set(store_.body.system.tc_alive, true);
}

void Tc_link::handle_nv_listener_event(NV_store::Virt_access*)
{
    const bool enabled = parameters_.system.tc_enabled.get();
    Debug_print::dprint("TC client %s\n", enabled ? "enabled" : "disabled");
    controller_.set_enabled(enabled);
}

void Tc_link::finish()
{
    watch_.clear();
    enabled_listener_.autounreg(main_waiter_);
    controller_.remove_client_waiter(&main_waiter_);
    controller_.stop_via_event();
}
