#include "tests/platform/can/Zev_bench.h"
#include "platform/can/Bus_select.h"

#include <gtest/gtest.h>

std::vector<waiter_event> Zev_bench::Node::events()
{
    std::vector<waiter_event> out;
    waiter_event e;
    while (waiter.poll(e))
        out.push_back(e);
    return out;
}

std::vector<waiter_event> Zev_bench::Node::events_of(int module)
{
    std::vector<waiter_event> out, others;
    for (const waiter_event& e : events())
        (e.module == module ? out : others).push_back(e);
    for (const waiter_event& e : others)
        waiter.post(e);
    return out;
}

std::vector<uint8_t> Zev_bench::Node::read(uint32_t pgn, ZEV_header* header, int type)
{
    std::vector<uint8_t> buffer(200000);
    ZEV_header h;
    int n = stack.read(pgn, h, buffer.data(), int(buffer.size()), &waiter, type);
    if (header)
        *header = h;
    buffer.resize(n < 0 ? 0 : size_t(n));
    return buffer;
}

Zev_bench::Zev_bench()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    name_ = test ? std::string(test->test_suite_name()) + "." + test->name() : "bench";
    spec_ = "mem,name=" + name_;
    ZEV_name::Name_manager::set_claim_delay(ZEV_name::Name_manager::standard_claim_delay_ms);
    hub_ = Mem_bus_hub::get(name_);
}

Zev_bench::Node& Zev_bench::add_node(Can_bus* bus)
{
    nodes_.push_back(std::unique_ptr<Node>(new Node));
    Node& node = *nodes_.back();
    EXPECT_TRUE(node.stack.open(bus ? bus : Bus_select::start(spec_.c_str(), nullptr), &modules_));
    settle();
    return node;
}

Zev_bench::Node& Zev_bench::add_claimed_node(const ZEV_name::NAME& name, uint8_t address)
{
    Node& node = add_node();
    EXPECT_TRUE(node.names().add_local_name(name, address, &node.waiter));
    run_for(300);
    EXPECT_EQ(node.names().get_claim_state(name), ZEV_name::Claim_state::claimed);
    node.events();
    return node;
}

void Zev_bench::settle()
{
    for (int ran = 1; ran > 0;) {
        hub_->deliver_due();
        ran = 0;
        for (auto& node : nodes_)
            ran += node->stack.run_pending();
    }
}

void Zev_bench::run_for(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        clock_.advance(5);
        settle();
    }
}

std::vector<uint8_t> test_pattern(size_t length)
{
    std::vector<uint8_t> out(length);
    for (size_t i = 0; i < length; ++i)
        out[i] = uint8_t(i % 251);
    return out;
}

Frame_peer::Frame_peer(const Zev_bench& bench) : bus_(bench.bus_name())
{
    bus_.set_receiver([this](const Can_frame& f) { heard.push_back(f); });
}

void Frame_peer::send(uint32_t id, const std::vector<uint8_t>& data)
{
    Can_frame f;
    f.id = id;
    f.dlc = uint8_t(data.size());
    std::copy(data.begin(), data.end(), f.data);
    bus_.send(f);
}

std::vector<uint8_t> Frame_peer::last(uint32_t pgn) const
{
    for (auto it = heard.rbegin(); it != heard.rend(); ++it)
        if (pgn_of(*it) == pgn)
            return std::vector<uint8_t>(it->data, it->data + it->dlc);
    return {};
}

std::vector<std::pair<uint8_t, uint64_t>> Frame_peer::claims() const
{
    std::vector<std::pair<uint8_t, uint64_t>> out;
    for (const Can_frame& f : heard)
        if (pgn_of(f) == 0xEE00)
            out.push_back({uint8_t(f.id & 0xFF), ZEV_name::RAWNAME(f.data).get_value()});
    return out;
}

uint32_t pgn_of(const Can_frame& frame)
{
    return ZEV_header::normal_pgn(frame.id >> 8);
}
