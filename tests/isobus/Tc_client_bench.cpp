#include "tests/isobus/Tc_client_bench.h"

#include <cstdio>

using namespace TC_client;

namespace {
const Literal_designator work_state_name("Actual Work State");
const Literal_designator rate_name("Setpoint Mass Per Area Application Rate");
const Literal_designator actual_name("Actual Mass Per Area Application Rate");
const Literal_designator offset_name("X");
const Literal_designator device_name("Small Test Device");
const Literal_designator root_name("Small Root");
}

Small_tree::Entries::Entries()
{
    work_state.set_ddi(141);
    work_state.set_default_set();
    work_state.set_setable();
    work_state.set_triggers(Process_data_element::trigger_on_change);
    work_state.set_designator(&work_state_name);
    rate.set_ddi(6);
    rate.set_default_set();
    rate.set_setable();
    rate.set_triggers(rate_triggers);
    rate.set_designator(&rate_name);
    rate.set_presentation(&kg_per_ha_mass_per_area_pe);
    actual.set_ddi(7);
    actual.set_triggers(Process_data_element::trigger_time | Process_data_element::trigger_on_change);
    actual.set_designator(&actual_name);
    actual.set_presentation(&kg_per_ha_mass_per_area_pe);
    offset.set_ddi(134);
    offset.set_value(750);
    offset.set_designator(&offset_name);
    offset.set_presentation(&cm_distance_pe);
}

Small_tree::Bin::Bin(CDS::Head& head, data_store_body& body, int number, Entries& entries)
    : rate(&head, &body.channels.channels[(number - 1) % 10].requested_rate),
      actual(&head, &body.channels.channels[(number - 1) % 10].actual_rate)
{
    std::snprintf(name, sizeof name, "Bin %d", number);
    rate.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2);
    actual.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2);
    rate.set_element(entries.rate);
    actual.set_element(entries.actual);
    refs.append(&rate);
    refs.append(&actual);
    element.set_type(Device_element_element::type_bin);
    element.set_designator(&designator);
    element.set_ddi_list(&refs);
}

Small_tree::Small_tree(CDS::Head& head, data_store_body& body, Entries& entries, int bin_count, bool unentered)
    : work_state(&head, &body.operation.master_switch_active), unentered_ref(&head, &body.interface.lifetime_effective_time)
{
    device.set_designator(&device_name);
    device.set_version("1.2.3\0\0\0\0\0\0\0", 12);
    device.set_serial("12345");
    work_state.set_element(entries.work_state);
    root_refs.append(&request_default);
    root_refs.append(&work_state);
    if (unentered)
        root_refs.append(&unentered_ref);
    root_refs.append(&entries.offset);
    root.set_type(Device_element_element::type_device);
    root.set_designator(&root_name);
    root.set_ddi_list(&root_refs);
    root.set_device_element_list(&children);
    for (int i = 0; i < bin_count; ++i) {
        bins.push_back(std::make_unique<Bin>(head, body, i + 1, entries));
        children.append(&bins.back()->element);
    }
    device.set_det_0(&root);
}

Device_element* Small_model::handle_version(const uint8_t* request, uint8_t* reply)
{
    std::copy(reply, reply + 8, last_reply);
    if (request[1] <= 1)
        return nullptr;
    reply[1] = request[1] >= 3 ? 3 : 2;
    tree.reset();
    tree = std::make_unique<Small_tree>(head_, body_, entries, bins, unentered);
    ++rebuilds;
    return &tree->device;
}

Tc_client_bench::~Tc_client_bench()
{
    controller.reset();
    tc.reset();
    other_tc.reset();
}

void Tc_client_bench::start(const Fake_tc_server::Settings& settings, uint16_t timeout_s, ZEV_name::RAWNAME preferred)
{
    create(settings, timeout_s, preferred);
    run_for(300);
}

void Tc_client_bench::create(const Fake_tc_server::Settings& settings, uint16_t timeout_s, ZEV_name::RAWNAME preferred)
{
    controller = std::make_unique<Controller>(&manager, &client_node.stack, *model_in_use, member, chain, timeout_s,
                                              preferred);
    controller->add_client_waiter(&client_waiter);
    Fake_tc_server::Settings s = settings;
    s.address = tc_address;
    tc = std::make_unique<Fake_tc_server>(&manager, tc_node.stack, s);
    ASSERT_TRUE(tc->start_serving());
}

void Tc_client_bench::settle()
{
    for (int ran = 1; ran > 0;) {
        bench.settle();
        ran = (controller ? controller->run_pending() : 0) + (tc ? tc->run_pending() : 0) +
              (other_tc ? other_tc->run_pending() : 0);
    }
}

void Tc_client_bench::run_for(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        settle();
    }
}

std::vector<uint32_t> Tc_client_bench::client_events()
{
    std::vector<uint32_t> codes;
    waiter_event e;
    while (client_waiter.poll(e)) {
        EXPECT_EQ(e.module, controller->get_module_id());
        codes.push_back(e.code);
    }
    return codes;
}

int Tc_client_bench::lines_with(const std::string& text) const
{
    int n = 0;
    for (const std::string& line : tc->lines())
        n += line.find(text) != std::string::npos;
    return n;
}

uint16_t Tc_client_bench::element_of(const std::string& designator) const
{
    const Fake_tc_server::Pool* pool = tc->pool_of(client_address);
    const Fake_tc_server::Object* element = pool ? pool->element_named(designator) : nullptr;
    EXPECT_NE(element, nullptr) << designator;
    return element ? element->element : 0xFFFF;
}
