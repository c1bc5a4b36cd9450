#include "tests/isobus/Vt_client_bench.h"

void Recording_listener::handle_activation(const Activation& activation)
{
    std::lock_guard<std::mutex> lock(mutex_);
    activations_.push_back(activation);
}

void Recording_listener::handle_pool_uploaded(uint64_t vt_name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    uploaded_.push_back(vt_name);
}

void Recording_listener::handle_terminal_alive(bool alive)
{
    std::lock_guard<std::mutex> lock(mutex_);
    alive_.push_back(alive);
}

void Recording_listener::handle_units_system(Units_system system)
{
    std::lock_guard<std::mutex> lock(mutex_);
    units_.push_back(system);
}

std::vector<VT::Pool_listener::Activation> Recording_listener::activations() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return activations_;
}

std::vector<uint64_t> Recording_listener::uploaded() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return uploaded_;
}

std::vector<bool> Recording_listener::alive() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return alive_;
}

std::vector<VT::Pool_listener::Units_system> Recording_listener::units() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return units_;
}

void Recording_listener::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    activations_.clear();
    uploaded_.clear();
    alive_.clear();
    units_.clear();
}

void Recording_progress::report(size_t sent, size_t total)
{
    Upload_bar_progress::report(sent, total);
    shown.push_back(variable_->get_value());
}

Vt_client_bench::Vt_client_bench()
    : pool(std::make_unique<Small_vt_pool>(&manager)), progress(std::make_unique<Recording_progress>(&pool->variable))
{
    std::fill(std::begin(VT::Object_pool::vt_capabilities), std::end(VT::Object_pool::vt_capabilities), 0);
}

Vt_client_bench::~Vt_client_bench()
{
    pool.reset();
    vt.reset();
    other_vt.reset();
}

void Vt_client_bench::create(const Fake_vt_server::Settings& settings, uint16_t timeout_s,
                             ZEV_name::RAWNAME preferred, VT::Object_pool* given, VT::Upload_progress* given_progress)
{
    Fake_vt_server::Settings s = settings;
    s.address = vt_address;
    vt = std::make_unique<Fake_vt_server>(&manager, vt_node.stack, s);
    ASSERT_TRUE(vt->start_serving());
    client = given ? given : pool.get();
    client->set_listener(&listener);
    client->init(&client_node.stack, member, nullptr, given ? given_progress : progress.get(), preferred, timeout_s);
}

void Vt_client_bench::start(const Fake_vt_server::Settings& settings)
{
    create(settings);
    run_for(2000);
}

void Vt_client_bench::add_other_vt()
{
    Fake_vt_server::Settings s;
    s.address = other_vt_address;
    s.identity = 2;
    other_vt = std::make_unique<Fake_vt_server>(&manager, other_vt_node.stack, s);
    ASSERT_TRUE(other_vt->start_serving());
}

void Vt_client_bench::settle()
{
    for (int ran = 1; ran > 0;) {
        bench.settle();
        ran = (client ? client->run_pending() : 0) + (vt ? vt->run_pending() : 0) +
              (other_vt ? other_vt->run_pending() : 0);
    }
}

void Vt_client_bench::run_for(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        settle();
    }
}

std::vector<Can_frame> Vt_client_bench::client_frames() const
{
    std::vector<Can_frame> own;
    for (const Can_frame& f : const_cast<Zev_bench&>(bench).hub().recorded())
        if ((f.id & 0xFF) == client_address)
            own.push_back(f);
    return own;
}

void Vt_client_bench::script(const std::string& line)
{
    ASSERT_TRUE(vt->run_script_line(line)) << line;
    run_for(50);
}
