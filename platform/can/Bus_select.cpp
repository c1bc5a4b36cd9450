#include "platform/can/Bus_select.h"
#include "platform/can/Mem_can_bus.h"
#include "platform/can/Socketcan_bus.h"
#include "platform/can/Tcp_can_bus.h"
#include "platform/rtos/Debug_base.h"

#include <map>
#include <string>
#include <vector>

namespace {
const char* const forms = "\"tcp,addr=A,port=P\", \"mem,name=X\" or \"socketcan,if=IF\"";

// Splits "kind,key=value,..." and checks that exactly the wanted keys are given.
bool parse(const std::string& spec, std::string& kind, std::map<std::string, std::string>& values, std::string& error)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = spec.find(',', start);
        parts.push_back(spec.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    kind = parts[0];
    static const std::map<std::string, std::vector<std::string>> keys = {
        {"tcp", {"addr", "port"}}, {"mem", {"name"}}, {"socketcan", {"if"}}};
    auto wanted = keys.find(kind);
    if (wanted == keys.end()) {
        error = "unknown kind of bus \"" + kind + "\"";
        return false;
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        size_t eq = parts[i].find('=');
        std::string key = parts[i].substr(0, eq);
        if (eq == std::string::npos || eq + 1 == parts[i].size()) {
            error = "\"" + parts[i] + "\" is not key=value";
            return false;
        }
        bool known = false;
        for (const std::string& k : wanted->second)
            known = known || k == key;
        if (!known || values.count(key)) {
            error = (known ? "repeated key \"" : "unknown key \"") + key + "\"";
            return false;
        }
        values[key] = parts[i].substr(eq + 1);
    }
    for (const std::string& k : wanted->second)
        if (!values.count(k)) {
            error = "missing " + k;
            return false;
        }
    return true;
}

bool parse_port(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(text);
    return port >= 1 && port <= 65535;
}
}

Can_bus* Bus_select::start(const char* spec, module_man*, Failure* failure)
{
    const std::string text = spec ? spec : "";
    std::string kind, error;
    std::map<std::string, std::string> values;
    auto fail = [failure](Failure why) {
        if (failure)
            *failure = why;
        return nullptr;
    };
    if (!parse(text, kind, values, error)) {
        Debug_print::dprint("Bus_select: bad bus spec \"%s\": %s; expected %s\n", text.c_str(), error.c_str(), forms);
        return fail(bad_spec);
    }
    Can_bus* bus = nullptr;
    if (kind == "mem") {
        bus = new Mem_can_bus(values["name"]);
    } else if (kind == "tcp") {
        int port;
        if (!parse_port(values["port"], port)) {
            Debug_print::dprint("Bus_select: bad bus spec \"%s\": port must be a number from 1 to 65535\n",
                                text.c_str());
            return fail(bad_spec);
        }
        bus = Tcp_can_bus::connect(values["addr"], port, error).release();
    } else {
        bus = Socketcan_bus::open(values["if"], error).release();
    }
    if (!bus) {
        Debug_print::dprint("Bus_select: cannot open bus \"%s\": %s\n", text.c_str(), error.c_str());
        return fail(cannot_open);
    }
    return bus;
}
