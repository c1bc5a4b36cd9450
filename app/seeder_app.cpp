#include "app/seeder_app.h"
#include "app/App_objects.h"
#include "app/Command_line.h"
#include "app/Instance_lock.h"
#include "app/Main_loop.h"
#include "app/Parameter_file.h"
#include "app/System_info.h"
#include "app/Tc_link.h"
#include "app/Vt_link.h"
#include "app/preferred_address.h"
#include "app/seeder_globals.h"
#include "app/select_ui_mode.h"
#include "app/slave_ecu.h"
#include "app/start_up_overrides.h"
#include "control_logic/Control_logic.h"
#include "isobus/Command_fs_client.h"
#include "control_logic/Seed_simulator.h"
#include "diagnostics/Implement_diag.h"
#include "messaging/cds/start_remote_data_store.h"
#include "orrvan_comms/include/Ecu_entry_points.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/iso/FS_client.h"
#include "platform/iso/FS_client_interface.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// As the communications library ends when it cannot open its bus.
[[noreturn]] void end_start_up()
{
    std::exit(-1);
}

void install_stop_handlers()
{
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void publish_identity(System_info& info)
{
    const uint64_t mac = info.get_mac_address();
    ds_system_id receiver_id{};
    receiver_id.long_hash = System_info::long_hash(mac);
    receiver_id.short_hash = System_info::short_hash(mac);
    data_store.head.set(data_store.body.system.info.receiver_id, receiver_id);
    data_store.head.set(data_store.body.system.mac_address, mac);
}

// The network stack on the ISOBUS, its task running; null after saying why.
std::unique_ptr<ZEV_smart_stack> start_can(const std::string& bus_spec)
{
    Bus_select::Failure failure;
    Can_bus* bus = Bus_select::start(bus_spec.c_str(), nullptr, &failure);
    if (!bus) {
        // A malformed spec has had its own message, and so has a SocketCAN
        // interface that is not there; only a CAN server gets the hint.
        if (failure == Bus_select::cannot_open && bus_spec.rfind("tcp", 0) == 0)
            Debug_print::dprint("Cannot reach the ISOBUS at \"%s\": is a CAN server (can_hub) running there?\n",
                                bus_spec.c_str());
        return nullptr;
    }
    auto stack = std::make_unique<ZEV_smart_stack>();
    if (!stack->open(bus, &process_module_man) || !stack->start()) {
        Debug_print::dprint("Cannot start the network stack on the ISOBUS\n");
        return nullptr;
    }
    return stack;
}

// The demonstration simulator, in place of the control task without a serial port.
std::unique_ptr<Seed_simulator> start_simulator()
{
    Debug_print::dprint("START SIM\n");
    auto simulator = std::make_unique<Seed_simulator>(data_store, parameters);
    simulator->init(&process_module_man);
    return simulator;
}

// The control task on the slave processors' serial line.
std::unique_ptr<Control_logic> start_control(const std::string& port, ZEV_smart_stack& stack)
{
    Debug_print::dprint("START REAL\n");
    auto control = std::make_unique<Control_logic>(port.c_str(), data_store, parameters);
    control->init(&process_module_man, &stack);
    return control;
}

// The factory settings first, so that the file's values win.
void load_parameters(Parameter_file& parameter_file)
{
    parameter_file.create_folder();
    apply_start_up_overrides(parameters);
    parameter_file.load();
}

// Claims the seeder's address and waits until the claim holds; false after
// saying so when it cannot.
bool claim_address(ZEV_smart_stack& stack, System_info& info)
{
    const ZEV_name::NAME name = Known_names::get_seeder(int(info.get_identity_number()));
    const uint8_t address = preferred_address(parameters.system.app_preferred_address.get());
    ZEV_name::Name_manager& names = stack.get_name_manager();
    names.add_local_name(name, address, &main_waiter);
    if (!stack.wait_for_name(&main_waiter, name, true)) {
        Debug_print::dprint("No address could be claimed on the ISOBUS\n");
        return false;
    }
    Debug_print::dprint("Address %u claimed on the ISOBUS\n", unsigned(names.gethostbyname(name)));
    // The store keeps the NAME's eight bytes at the start of its slot.
    Iso_name_slot slot{};
    std::memcpy(slot.bytes, name.get_bytes(), 8);
    data_store.head.set(data_store.body.system.iso_name, slot);
    FS::FS_client_interface::set_iso_name(name);
    return true;
}

}

void on_stop_signal(int)
{
    const int saved_errno = errno;
    stop_requested = true;
    send_anonymous_event(main_waiter, &stop_requested);
    errno = saved_errno;
}

void seeder_app_thread(const Command_line& settings)
{
    Debug_print::dprint("KX-4 Seeder Application Starting\n");
    install_stop_handlers();

    // Held until the process ends: a second kx4 would claim a second address
    // and write the same parameter file.
    Instance_lock lock;
    if (lock.take(Platform::instance().get_data_dir()) == Instance_lock::held_by_another)
        end_start_up();

    System_info info;
    publish_identity(info);

    std::unique_ptr<ZEV_smart_stack> stack = start_can(settings.bus_spec);
    if (!stack)
        end_start_up();

    start_slave_ecu(settings.abus_spec, settings.slave_id, data_store, parameters);

    Parameter_file parameter_file(parameters, Platform::rooted(Parameter_file::default_folder));
    load_parameters(parameter_file);

    if (!claim_address(*stack, info)) {
        stack.reset();
        end_start_up();
    }

    // Exactly one of the two.
    std::unique_ptr<Control_logic> control;
    std::unique_ptr<Seed_simulator> simulator;
    if (settings.serial_port.empty())
        simulator = start_simulator();
    else
        control = start_control(settings.serial_port, *stack);

    std::unique_ptr<CDS::Remote::Server> remote_server;
    std::unique_ptr<Can_gril::Can_gril> remote_gateway;
    start_remote_data_store(*stack, remote_server, remote_gateway, data_store.head, parameters);

    const App_objects objects{data_store, parameters, parameter_file, main_waiter, stop_requested};
    const bool vt_mode = select_ui_mode(objects) == 1;

    auto diagnostics = std::make_unique<Implement_diag>(data_store);
    diagnostics->init(process_module_man, stack.get(), Known_names::get_seeder(int(info.get_identity_number())));

    // The file-server client: its task starts with the ISO clients below.
    auto* fs_client = new FS::FS_client(&process_module_man);
    auto fs_command = std::make_unique<Command_fs_client>(fs_client, data_store, parameters);
    if (!fs_command->init(&process_module_man, stack.get(), FS::FS_client_interface::get_iso_name()))
        Debug_print::dprint("The file-server client is not fully ready\n");

    // One working set, whose master is this program, for the VT and the Task Controller.
    Working_set_member member(Known_names::get_seeder(int(info.get_identity_number())));
    std::unique_ptr<Vt_link> vt;
    if (vt_mode)
        vt = std::make_unique<Vt_link>(process_module_man, data_store, parameters, *stack, member,
                                       get_seeder_pool_ids(), fs_client, diagnostics.get());

    fs_command->start();

    // The Task Controller client: its task starts here, the main loop follows its pool.
    Tc_link tc(process_module_man, data_store, parameters, main_waiter, *stack, member);
    if (vt)
        vt->start();
    tc.start();

    parameters.signal_all();
    Main_loop loop(objects);
    loop.set_tc_link(&tc);
    loop.start();
    data_store.head.set(data_store.body.system.mac_address, info.get_mac_address());
    if (control)
        loop.run([&control] { control->save_totals_before_shutdown(); });
    else
        loop.run();
    const int code = loop.finish(Platform::instance().get_application_dir());
    if (vt)
        vt->notify_shutdown();
    tc.finish();

    // The control task goes first: its destructor closes the serial port.
    control.reset();
    simulator.reset();
    // The stack's task ends and its pending sends fail while the tasks that
    // wait for their completions still exist; the stack itself goes last.
    stack->close();
    diagnostics.reset();
    fs_command.reset();
    vt.reset();
    remote_gateway.reset();
    remote_server.reset();
    stack.reset();
    Next_gen::get_ecu_manager().finalise();
    Debug_print::dprint("EXIT: %d\n", code);
    std::exit(code);
}
