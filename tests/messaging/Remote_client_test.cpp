// The peer side of the remote data store: fetching and caching the
// description, the mirror tree, values by name and id, and bad input.
#include "data_store/Data_store.h"
#include "messaging/cds/CDS_Remote_Client.h"
#include "messaging/cds/CDS_Remote_Server.h"
#include "params/parameters_t.h"
#include "platform/data/NV_Virt_access.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/messaging/Remote_peer.h"
#include "tests/messaging/Small_tree.h"
#include "tests/messaging/Temp_root.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <zlib.h>

using namespace Remote_peer;
using CDS::Remote::Client;

namespace {

const std::string small_description =
    "1:1:remote{1:2:cds{},1:3:nv{1:4:t{4:5:a,1:6:rec{5:7:b,9:8:c},1:9:empty{}}}}";

std::string file_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct Recording_listener : Client::Listener {
    std::vector<int> statuses;
    std::vector<uint16_t> values;
    void value_changed(uint16_t id) override { values.push_back(id); }
    void tree_status(int status) override { statuses.push_back(status); }
};

// A client whose requests wait in a list until the test hands them to a server.
class Loop_client : public Client {
public:
    using Client::Client;
    uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override
    {
        if (room < 2)
            return nullptr;
        buffer[0] = buffer[1] = 0xF1;
        room -= 2;
        return buffer + 2;
    }
    bool send(uint8_t* message, int length) override
    {
        sent.emplace_back(message, message + length);
        return true;
    }
    std::vector<Bytes> sent;
};

// A client and whatever answers its requests: each request handed over
// brings its replies back to the client.
struct Loop {
    using Serve = std::function<std::vector<Bytes>(const Bytes& request)>;
    Recording_listener listener;
    Loop_client client{&listener};
    Serve serve;
    size_t delivered = 0;

    explicit Loop(Serve s) : serve(std::move(s)) {}
    void receive(const Bytes& m) { client.receive(m.data(), int(m.size())); }
    bool pump_one()
    {
        if (delivered == client.sent.size())
            return false;
        const Bytes request = client.sent[delivered++];
        for (const Bytes& reply : serve(request))
            receive(reply);
        return true;
    }
    void pump()
    {
        while (pump_one()) {
        }
    }
    // The requests of one type sent so far.
    std::vector<Bytes> requests(uint8_t type) const
    {
        std::vector<Bytes> out;
        for (const Bytes& m : client.sent)
            if (!m.empty() && m[0] == type)
                out.push_back(m);
        return out;
    }
    std::vector<uint32_t> offsets_asked() const
    {
        std::vector<uint32_t> out;
        for (const Bytes& m : requests(0x82))
            out.push_back(u24(m, 3));
        return out;
    }
};

// The server answering through the test's back end; every send completes at once.
Loop::Serve served_by(CDS::Remote::Server& server, Wire& wire, Backend& backend)
{
    return [&server, &wire, &backend](const Bytes& request) {
        server.handle_message(backend, request.data(), int(request.size()));
        std::vector<Bytes> replies;
        for (Sent& s : wire.take()) {
            server.on_tx_complete(100);
            replies.push_back(s.message);
        }
        return replies;
    };
}

// One description served from the wire format alone: the CRC reply and
// slices of 94 packed bytes.
struct Description {
    std::string text;
    Bytes packed;
    uint32_t length;

    explicit Description(const std::string& t, uint32_t announced = 0) : text(t)
    {
        uLongf n = compressBound(uLong(t.size()));
        packed.resize(n);
        compress2(packed.data(), &n, reinterpret_cast<const Bytef*>(t.data()), uLong(t.size()), Z_DEFAULT_COMPRESSION);
        packed.resize(n);
        length = announced ? announced : uint32_t(t.size());
    }
    Bytes crc_reply() const
    {
        return {0x05, 0, 0, 0, 0, uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
    }
    Bytes slice(uint32_t offset) const
    {
        Bytes m = {0x02, uint8_t(offset), uint8_t(offset >> 8), uint8_t(offset >> 16)};
        for (uint32_t i = offset; i < packed.size() && i < offset + 94; ++i)
            m.push_back(packed[i]);
        m.push_back(0);
        return m;
    }
    Loop::Serve serve() const
    {
        return [this](const Bytes& request) -> std::vector<Bytes> {
            if (request == Bytes{0x85})
                return {crc_reply()};
            if (request.size() == 7 && request[0] == 0x82)
                return {slice(u24(request, 3))};
            return {};
        };
    }
};

// A description whose packed form is exactly packed_length bytes: leaves
// with names of random letters, the last one grown a letter at a time.
std::string description_packing_to(size_t packed_length)
{
    std::mt19937 random(7);
    std::string names;
    for (;;) {
        names += char('a' + random() % 26);
        std::string text = "1:1:remote{4:2:" + names.substr(0, 20);
        for (size_t i = 20, id = 3; i < names.size(); i += 20, ++id)
            text += ",4:" + Temp_root::hex(uint32_t(id)) + ":" + names.substr(i, 20);
        text += "}";
        const size_t n = Description(text).packed.size();
        if (n == packed_length)
            return text;
        if (n > packed_length + 20)
            return "";
    }
}

TEST(Remote_client, a_200_byte_description_comes_in_slices_at_0_94_and_188_and_an_empty_end)
{
    Temp_root root;
    const std::string text = description_packing_to(200);
    ASSERT_FALSE(text.empty());
    const Description description(text);
    Loop loop(description.serve());
    ASSERT_TRUE(loop.client.request_ids(true));
    loop.pump();
    EXPECT_EQ(loop.client.sent.front(), Bytes{0x85});
    EXPECT_EQ(loop.offsets_asked(), (std::vector<uint32_t>{0, 94, 188, 200}));
    for (const Bytes& m : loop.requests(0x82))
        EXPECT_EQ(m, (Bytes{0x82, 0, 0, m[3], m[4], m[5], 255}));
    EXPECT_EQ(loop.listener.statuses, (std::vector<int>{2, 2, 2, 1}));
    EXPECT_TRUE(loop.client.has_tree());
    EXPECT_EQ(loop.client.get_id(text.substr(text.find("4:2:") + 4, 20).c_str()), 2);
    EXPECT_EQ(file_text(root.cache(0, uint32_t(text.size()))), text) << "cached as text";
}

TEST(Remote_client, a_slice_at_a_wrong_offset_drops_what_came_and_starts_again_from_0)
{
    Temp_root root;
    const Description description(description_packing_to(200));
    Loop loop(description.serve());
    loop.client.request_ids(true);
    ASSERT_TRUE(loop.pump_one());
    ASSERT_TRUE(loop.pump_one());
    ASSERT_EQ(loop.offsets_asked(), (std::vector<uint32_t>{0, 94}));
    // The request for 94 is answered with the slice at 100.
    ++loop.delivered;
    loop.receive(description.slice(100));
    EXPECT_EQ(loop.listener.statuses, (std::vector<int>{2, 3, 2}));
    EXPECT_EQ(loop.offsets_asked().back(), 0u);
    loop.pump();
    EXPECT_EQ(loop.listener.statuses.back(), 1);
    EXPECT_TRUE(loop.client.has_tree());
}

// The client against the server, both in this process.
class Client_and_server : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.add_nv(tree);
        server.build_ids();
    }
    // A client with the tree fetched.
    std::unique_ptr<Loop> fetched()
    {
        auto loop = std::make_unique<Loop>(served_by(server, wire, backend));
        loop->client.request_ids(true);
        loop->pump();
        EXPECT_TRUE(loop->client.has_tree());
        return loop;
    }

    Temp_root root;
    module_man manager;
    Small_tree tree{&manager};
    CDS::Remote::Server server;
    Wire wire;
    Backend backend{wire, 1};
};

TEST_F(Client_and_server, a_description_cached_for_the_same_crc_and_length_is_used_without_asking_for_it)
{
    auto first = fetched();
    EXPECT_EQ(first->offsets_asked().size(), 2u) << "the small description is one slice";
    EXPECT_EQ(file_text(root.cache(0, uint32_t(small_description.size()))), small_description);

    auto second = fetched();
    EXPECT_EQ(second->client.sent, (std::vector<Bytes>{{0x85}}));
    EXPECT_EQ(second->listener.statuses, (std::vector<int>{1}));
    EXPECT_EQ(second->client.get_id("nv.t.rec.c"), small_ids::c);

    second->receive({0x05, 0, 0, 0, 0, 1, 0, 0, 0});
    EXPECT_EQ(second->client.sent.size(), 1u) << "a second CRC reply is ignored";
    EXPECT_EQ(second->client.get_id("nv.t.rec.c"), small_ids::c);

    second->client.reset();
    EXPECT_FALSE(second->client.has_tree());
    EXPECT_EQ(second->client.get_id("nv.t.rec.c"), Client::no_id);
    second->client.request_ids(true);
    second->pump();
    EXPECT_TRUE(second->client.has_tree()) << "after a reset, the cache again";
    EXPECT_TRUE(second->offsets_asked().empty());
}

TEST_F(Client_and_server, a_bad_cache_is_a_miss_the_description_is_fetched_and_the_cache_written_again)
{
    const std::string cache = root.cache(0, uint32_t(small_description.size()));
    fetched();
    const std::string bad[] = {
        small_description.substr(0, 20),
        std::string(small_description.size(), 'x'),
        small_description + "}",
    };
    for (const std::string& text : bad) {
        write_file(cache, text);
        auto loop = fetched();
        EXPECT_EQ(loop->offsets_asked(), (std::vector<uint32_t>{0, uint32_t(server.get_ids_compressed().size())}))
            << text;
        EXPECT_EQ(file_text(cache), small_description);
    }
}

TEST_F(Client_and_server, the_cache_path_is_not_cut_under_a_long_root)
{
    Temp_root long_root("/" + std::string(120, 'r'));
    const std::string cache = long_root.cache(0, uint32_t(small_description.size()));
    fetched();
    EXPECT_EQ(file_text(cache), small_description);
    EXPECT_EQ(Client::cache_name(0x1f, 300), long_root.cache(0x1f, 300));
    EXPECT_EQ(fetched()->client.sent.size(), 1u) << "found again";
}

struct Counting_listener : NV_store::Virt_access {
    int heard = 0;
    void changed(waiter_event&) override { ++heard; }
};

TEST_F(Client_and_server, a_set_by_name_changes_the_served_item_once_and_the_reply_updates_the_mirror)
{
    waiter_descriptor waiter;
    Counting_listener on_a;
    on_a.init(&tree.a);
    ASSERT_TRUE(on_a.autoreg(waiter, false));
    auto loop = fetched();
    EXPECT_FALSE(loop->client.get_value("nv.t.a").isValid()) << "no value yet";

    ASSERT_TRUE(loop->client.set_value("nv.t.a", 42));
    EXPECT_EQ(loop->client.sent.back(), (Bytes{0x84, small_ids::a, 0, small_ids::a, 0, 42}));
    loop->pump();
    EXPECT_EQ(tree.a.get(), 42);
    waiter_event event;
    while (waiter.poll(event))
        event.listener->handle_listener_event(event);
    EXPECT_EQ(on_a.heard, 1);
    EXPECT_EQ(loop->listener.values, (std::vector<uint16_t>{small_ids::a}));
    EXPECT_EQ(loop->client.get_value("nv.t.a"), QVariant(42u));

    const size_t sent = loop->client.sent.size();
    EXPECT_FALSE(loop->client.set_value("nv.t.a", 256)) << "does not fit";
    EXPECT_FALSE(loop->client.set_value("nv.t.nothing", 1));
    EXPECT_FALSE(loop->client.request_value("nv.t.rec.b.x"));
    EXPECT_EQ(loop->client.sent.size(), sent);
    EXPECT_EQ(tree.a.get(), 42);

    ASSERT_TRUE(loop->client.set_value(small_ids::rec, QVariantList{7, -7}));
    loop->pump();
    EXPECT_EQ(tree.rec.b.get(), 7);
    EXPECT_EQ(tree.rec.c.get(), -7);
}

TEST_F(Client_and_server, a_watched_item_reports_each_change_until_cancelled)
{
    auto loop = fetched();
    ASSERT_TRUE(loop->client.register_on_change("nv.t.rec.c"));
    loop->pump();
    EXPECT_EQ(loop->client.get_value("nv.t.rec.c"), QVariant(-5));
    for (int v : {3, 4}) {
        tree.rec.c.set(v);
        server.on_tx_complete(0);
        for (Sent& s : wire.take()) {
            server.on_tx_complete(100);
            loop->receive(s.message);
        }
        EXPECT_EQ(loop->client.get_value("nv.t.rec.c"), QVariant(v));
    }
    EXPECT_EQ(loop->listener.values, (std::vector<uint16_t>{small_ids::c, small_ids::c, small_ids::c}));
    ASSERT_TRUE(loop->client.cancel_on_change("nv.t.rec.c"));
    loop->pump();
    tree.rec.c.set(5);
    server.on_tx_complete(0);
    EXPECT_TRUE(wire.take().empty());
}

TEST_F(Client_and_server, a_value_that_stops_at_a_child_is_asked_for_again_from_there)
{
    auto loop = fetched();
    // rec(6) { b(7), c(8) }: a reply that holds b only stops at c.
    loop->receive({0x03, small_ids::rec, 0, 0, 0, 0x11, 0x22});
    EXPECT_EQ(loop->client.sent.back(), (Bytes{0x83, small_ids::rec, 0, small_ids::c, 0}));
    EXPECT_TRUE(loop->listener.values.empty()) << "not complete yet";
    loop->pump();
    EXPECT_EQ(loop->client.get_value("nv.t.rec"), QVariant(QVariantList{0x2211u, -5}));
    EXPECT_EQ(loop->listener.values, (std::vector<uint16_t>{small_ids::rec}));

    // A reply from c that still brings nothing for c goes on after it: here nothing is left.
    const size_t sent = loop->client.sent.size();
    loop->receive({0x03, small_ids::rec, 0, small_ids::c, 0});
    EXPECT_EQ(loop->client.sent.size(), sent);
    // From b, nothing for b: c comes next.
    loop->receive({0x03, small_ids::rec, 0, small_ids::b, 0});
    EXPECT_EQ(loop->client.sent.back(), (Bytes{0x83, small_ids::rec, 0, small_ids::c, 0}));
}

TEST_F(Client_and_server, the_client_tells_its_steps_on_debug_channel_97)
{
    fetched();
    Debug_base::set_filters("61");
    Debug_capture capture;
    auto loop = fetched();
    loop->receive({0x03, small_ids::rec, 0, small_ids::c, 0});
    loop->client.set_value("nv.t.a", 5);
    Debug_base::set_filters("");
    // The server in this process tells its own steps on the same channel.
    std::istringstream lines(capture.text());
    std::string said;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("RCDSC ", 0) == 0)
            said += line + "\n";
    EXPECT_EQ(said, "RCDSC Req CRC\n"
                    "RCDSC Rx 5\n"
                    "RCDSC Got cache\n"
                    "RCDSC Rx 3\n"
                    "RCDSC Truncated at 8(c) next 0(UNKNOWN?" "?)\n"
                    "RCDSC Got nowhere on that transaction\n"
                    "RCDSC SV nv.t.a 5\n");
}

// A parameter tree whose one structure does not fit one value message.
struct Wide_tree : NV_store::NV_root {
    using Number = NV_store::NV_number<uint32_t, Data_item::type_uint32>;
    explicit Wide_tree(module_man* manager) : NV_root(manager, 1, "w")
    {
        for (int i = 0; i < 30; ++i)
            names.push_back("v" + std::to_string(i));
        for (int i = 0; i < 30; ++i)
            values.push_back(std::make_unique<Number>(this, uint16_t(i + 1), uint32_t(i * 1000), names[i].c_str()));
    }
    std::vector<std::string> names;
    std::vector<std::unique_ptr<Number>> values;
};

TEST(Remote_client_values, a_structure_longer_than_one_message_comes_in_two)
{
    Temp_root root;
    module_man manager;
    Wide_tree tree(&manager);
    CDS::Remote::Server server;
    server.add_nv(tree);
    server.build_ids();
    Wire wire;
    Backend backend{wire, 1};
    Loop loop(served_by(server, wire, backend));
    loop.client.request_ids(true);
    loop.pump();
    const uint16_t w = loop.client.get_id("nv.w");
    ASSERT_NE(w, Client::no_id);
    ASSERT_TRUE(loop.client.request_value("nv.w"));
    loop.pump();
    // 24 values of 4 bytes fill the 97 bytes of a value message.
    const uint16_t v24 = loop.client.get_id("nv.w.v24");
    EXPECT_EQ(loop.requests(0x83), (std::vector<Bytes>{{0x83, uint8_t(w), 0, 0, 0}, {0x83, uint8_t(w), 0, uint8_t(v24), 0}}));
    EXPECT_EQ(loop.listener.values, (std::vector<uint16_t>{w}));
    const QVariantList all = loop.client.get_value("nv.w").toList();
    ASSERT_EQ(all.size(), 30);
    EXPECT_EQ(all[29].toUInt(), 29000u);
}

TEST(Remote_client_values, the_programs_trees_are_mirrored_and_read_by_name)
{
    Temp_root root;
    module_man manager;
    Data_store store{&manager, "1.2.3"};
    NV_quvel::parameters_t parameters{&manager, 1, "PS"};
    CDS::Remote::Server server;
    server.add_cds(store.lookup);
    server.add_nv(parameters);
    server.build_ids();
    Wire wire;
    Backend backend{wire, 1};
    Loop loop(served_by(server, wire, backend));
    loop.client.request_ids(true);
    loop.pump();
    ASSERT_TRUE(loop.client.has_tree());
    const size_t packed = server.get_ids_compressed().size();
    const std::vector<uint32_t> offsets = loop.offsets_asked();
    ASSERT_EQ(offsets.size(), (packed + 93) / 94 + 1);
    for (size_t i = 0; i + 1 < offsets.size(); ++i)
        EXPECT_EQ(offsets[i], 94 * i);
    EXPECT_EQ(offsets.back(), packed);

    std::vector<char> text(server.get_ids_length() + 1);
    server.get_ids_text(text.data(), 0, int(text.size()), 0, 255);
    uint16_t id = 0;
    for (const Entry& e : entries_of(text.data()))
        if (e.name == "master_switch_active")
            id = uint16_t(e.id);
    const char* name = "cds.data_store.operation.master_switch_active";
    EXPECT_EQ(loop.client.get_id(name), id);
    ASSERT_TRUE(loop.client.request_value(name));
    loop.pump();
    EXPECT_EQ(loop.client.get_value(name), QVariant(false));
    ASSERT_TRUE(loop.client.set_value("nv.PS.app.machine_width", 12.5));
    loop.pump();
    EXPECT_EQ(parameters.app.machine_width.get(), 12.5f);
}

TEST(Remote_client_input, descriptions_that_build_no_tree_end_in_status_0)
{
    std::string deep = "1:1:r{";
    for (int i = 0; i < 300; ++i)
        deep += "1:2:s{";
    deep += "4:3:v" + std::string(301, '}');
    struct Case {
        std::string name, text;
    } cases[] = {
        {"nesting past 255", deep},
        {"no closing brace", "1:1:r{4:2:a,4:3:b"},
        {"a name of 256 characters", "1:1:r{4:2:" + std::string(256, 'n') + "}"},
        {"no start", "1:1:r"},
        {"an id past 16 bits", "1:1:r{4:10000:a}"},
        {"a type of 9 digits", "1:1:r{000000004:2:a}"},
        {"text after the tree", "1:1:r{4:2:a}4:3:b"},
        {"an entry without its id", "1:1:r{4::a}"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        Temp_root root;
        const Description description(c.text);
        Loop loop(description.serve());
        loop.client.request_ids(true);
        loop.pump();
        EXPECT_FALSE(loop.client.has_tree()) << c.name;
        ASSERT_FALSE(loop.listener.statuses.empty()) << c.name;
        EXPECT_EQ(loop.listener.statuses.back(), 0) << c.name;
        EXPECT_FALSE(std::filesystem::exists(root.cache(0, description.length))) << c.name << ": not cached";
    }
}

TEST(Remote_client_input, nesting_to_depth_255_and_unknown_types_build_a_tree)
{
    std::string deep = "1:1:r{";
    for (int i = 0; i < 254; ++i)
        deep += "1:" + Temp_root::hex(uint32_t(i + 2)) + ":s{";
    deep += "4:1000:v" + std::string(255, '}');
    Temp_root root;
    Loop_client client(nullptr);
    ASSERT_TRUE(client.build_tree(deep.data(), uint32_t(deep.size())));
    std::string path;
    for (int i = 0; i < 254; ++i)
        path += "s.";
    EXPECT_EQ(client.get_id((path + "v").c_str()), 0x1000);

    const std::string odd = "1:1:r{c:2:twelve,4:3:a,4d:4:items,1:5:s{},44:6:bytes}";
    ASSERT_TRUE(client.build_tree(odd.data(), uint32_t(odd.size())));
    EXPECT_EQ(client.get_id("twelve"), Client::no_id) << "unknown types are passed over";
    EXPECT_EQ(client.get_id("items"), Client::no_id);
    EXPECT_EQ(client.get_id("a"), 3);
    EXPECT_EQ(client.get_id("s"), 5);
    EXPECT_EQ(client.get_id("bytes"), 6);
}

TEST(Remote_client_input, short_messages_and_lengths_past_16_mib_are_refused)
{
    Temp_root root;
    const Description description(small_description);
    Loop loop(description.serve());
    loop.client.request_ids(true);
    loop.pump();
    ASSERT_TRUE(loop.client.has_tree());
    loop.client.sent.clear();
    loop.listener.statuses.clear();
    const Bytes short_ones[] = {{0x03, 5, 0, 0}, {0x03}, {0x02, 0, 0, 0}, {0x05, 0, 0, 0, 0, 1, 0, 0}, {}, {0x04, 1}};
    for (const Bytes& m : short_ones)
        loop.receive(m);
    EXPECT_TRUE(loop.client.sent.empty());
    EXPECT_TRUE(loop.listener.statuses.empty());
    EXPECT_TRUE(loop.listener.values.empty());

    Temp_root other;
    Loop absurd([](const Bytes& request) -> std::vector<Bytes> {
        if (request == Bytes{0x85})
            return {{0x05, 0, 0, 0, 0, 0x01, 0x00, 0x00, 0x01}};
        return {};
    });
    absurd.client.request_ids(true);
    absurd.pump();
    EXPECT_EQ(absurd.listener.statuses, (std::vector<int>{0}));
    EXPECT_EQ(absurd.client.sent.size(), 1u) << "nothing fetched";

    Bytes huge(size_t(16 << 20) + 6, 0x55);
    huge[0] = 0x02;
    huge[1] = huge[2] = huge[3] = 0;
    absurd.receive(huge);
    EXPECT_EQ(absurd.listener.statuses, (std::vector<int>{0, 0}));
    EXPECT_EQ(absurd.client.sent.size(), 1u);
}

}
