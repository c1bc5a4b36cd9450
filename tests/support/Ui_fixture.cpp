#include "tests/support/Ui_fixture.h"

bool Test_ui_iface::setup_screens(VT::vtui_pool* pool, UI::Setup_config& config)
{
    if (on_setup)
        on_setup(*pool, config);
    return true;
}

void Test_ui_iface::register_listeners()
{
    if (on_register_listeners)
        on_register_listeners();
}

Ui_fixture::Ui_fixture()
{
    std::fill(std::begin(VT::Object_pool::vt_capabilities), std::end(VT::Object_pool::vt_capabilities), 0);
}

Ui_fixture::~Ui_fixture()
{
    // The interface leaves the pool before the pool goes.
    ui.reset();
    pool.reset();
    vt.reset();
}

void Ui_fixture::start()
{
    Fake_vt_server::Settings settings = vt_settings;
    settings.address = vt_address;
    vt = std::make_unique<Fake_vt_server>(&manager, vt_node.stack, settings);
    ASSERT_TRUE(vt->start_serving());
    vt_started_ = true;
    pool->init(&client_node.stack, member, nullptr, nullptr, ZEV_name::RAWNAME::GLOBAL_NAME, 0);
    ui->init(iface);
    pump();
    for (int waited = 0; waited < 20000 && !pool->is_shown(); waited += 100)
        advance(100);
    ASSERT_TRUE(pool->is_shown()) << "the fake VT did not show the pool";
    advance(100);
}

void Ui_fixture::start_without_vt()
{
    ui->init(iface);
    pump();
}

void Ui_fixture::pump()
{
    for (int ran = 1; ran > 0;) {
        bench.settle();
        ran = ui->run_pending();
        if (vt_started_)
            ran += pool->run_pending() + vt->run_pending();
    }
}

void Ui_fixture::advance(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        pump();
    }
}

void Ui_fixture::vt_line(const std::string& line)
{
    ASSERT_TRUE(vt) << "no fake VT: start() first";
    ASSERT_TRUE(vt->run_script_line(line)) << line;
    // The message and its answer cross the bus.
    advance(20);
}

void Ui_fixture::key_code(uint16_t id, uint8_t code)
{
    static const char* const words[] = {"release", "press", "hold", "abort"};
    vt_line(std::string(words[code & 3]) + " " + std::to_string(id));
}

void Ui_fixture::press(uint16_t id)
{
    key_code(id, 1);
    key_code(id, 0);
}

void Ui_fixture::hold(uint16_t id, int ms)
{
    key_code(id, 1);
    for (int held = 0; held < ms; held += 200) {
        advance(180);
        key_code(id, 2);
    }
    key_code(id, 0);
}

void Ui_fixture::press_and_abort(uint16_t id)
{
    key_code(id, 1);
    key_code(id, 3);
}

void Ui_fixture::enter_number(uint16_t id, uint32_t value)
{
    vt_line("number " + std::to_string(id) + " " + std::to_string(value));
}

void Ui_fixture::pick(uint16_t list, uint8_t item)
{
    enter_number(list, item);
}

void Ui_fixture::enter_text(uint16_t id, const std::string& text)
{
    vt_line("string " + std::to_string(id) + " " + text);
}

void Ui_fixture::inject(const VT::Pool_listener::Activation& activation)
{
    ui->handle_activation(activation);
    pump();
}

int Ui_fixture::take_mask_changes()
{
    const int count = vt ? vt->lines_with("change active mask to") : 0;
    if (vt)
        vt->clear_lines();
    return count;
}
