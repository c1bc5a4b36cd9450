#pragma once
#include <cstdint>
#include <vector>

class Stat;

// Whoever hears the operator's edits of Stats: a screen. It also keeps the
// Stats bound to it, so that the library finds the one a VT change is for
// and sends the screen's changed values.
class Stat_collector {
public:
    Stat_collector() = default;
    virtual ~Stat_collector();
    Stat_collector(const Stat_collector&) = delete;
    Stat_collector& operator=(const Stat_collector&) = delete;

    // One of the collector's Stats was edited on the VT and took the value.
    virtual bool handle_stat_update(Stat*) { return false; }

    // The Stat bound to that input object; null when none is.
    Stat* find_stat(uint16_t object) const;
    const std::vector<Stat*>& get_stats() const { return stats_; }

protected:
    // A Stat's value changed and waits to be sent.
    virtual void stat_changed() {}

private:
    friend class Stat;
    void add_stat(Stat* stat);
    void remove_stat(Stat* stat);

    std::vector<Stat*> stats_;
};
