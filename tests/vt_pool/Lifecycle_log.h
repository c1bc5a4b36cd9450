#pragma once
#include "platform/iso/VT_Lifecycle_watch.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The VT library instrumented, for as long as the log lives: it keeps the
// objects and list records that are made and not yet gone, in the order they
// were made, and every one that goes, in the order it goes; and it can fail
// one construction by throwing Construction_failed.
class Lifecycle_log : public VT::Lifecycle_watch {
public:
    struct Event {
        Kind kind;
        uint16_t id;
        const void* where;
    };
    struct Construction_failed : std::runtime_error {
        Construction_failed() : std::runtime_error("construction failed on purpose") {}
    };

    Lifecycle_log() : replaced_(install(this)) {}
    ~Lifecycle_log() { install(replaced_); }
    Lifecycle_log(const Lifecycle_log&) = delete;
    Lifecycle_log& operator=(const Lifecycle_log&) = delete;

    // Fails the n-th construction (from 1) of the kind that follows the
    // construction of object `after`. What is gone is then forgotten, so
    // that the list holds what the failure took apart.
    void fail_at(Kind kind, int n, uint16_t after)
    {
        fail_kind_ = kind;
        fail_count_ = n;
        fail_after_ = after;
    }

    const std::vector<Event>& alive() const { return alive_; }
    // What was alive when the construction failed.
    const std::vector<Event>& alive_at_failure() const { return alive_at_failure_; }
    const std::vector<Event>& gone_list() const { return gone_; }
    void clear_gone() { gone_.clear(); }

    // "1551" for an object, "p1550" for a placement of 1550, "r1270" for a
    // reference to 1270.
    static std::string text(const Event& e)
    {
        const char* prefix = e.kind == placement ? "p" : e.kind == reference ? "r" : "";
        return prefix + std::to_string(e.id);
    }
    static std::vector<std::string> texts(std::vector<Event>::const_iterator from,
                                          std::vector<Event>::const_iterator to)
    {
        std::vector<std::string> out;
        for (auto it = from; it != to; ++it)
            out.push_back(text(*it));
        return out;
    }

private:
    void made(Kind kind, uint16_t id, const void* where) override
    {
        if (fail_count_ > 0) {
            if (counting_ && kind == fail_kind_ && --fail_count_ == 0) {
                alive_at_failure_ = alive_;
                gone_.clear();
                throw Construction_failed();
            }
            if (kind == object && id == fail_after_)
                counting_ = true;
        }
        alive_.push_back({kind, id, where});
    }
    void gone(Kind kind, uint16_t id, const void* where) noexcept override
    {
        gone_.push_back({kind, id, where});
        auto it = std::find_if(alive_.rbegin(), alive_.rend(), [&](const Event& e) { return e.where == where; });
        if (it != alive_.rend())
            alive_.erase(std::next(it).base());
    }

    Lifecycle_watch* const replaced_;
    std::vector<Event> alive_;
    std::vector<Event> gone_;
    std::vector<Event> alive_at_failure_;
    Kind fail_kind_ = object;
    int fail_count_ = 0;
    uint16_t fail_after_ = 0;
    bool counting_ = false;
};
