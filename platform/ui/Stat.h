#pragma once
#include <cstdint>
#include <string>

class Stat_collector;

namespace VT {
class vtui_pool;
}

// One value field of a screen, bound to its VT objects. The screen sets the
// value; the library sends what changed to the VT (Screen::send_val_updates)
// and hands the operator's entries to the Stat, which tells its collector.
class Stat {
    friend class Stat_collector;
public:
    Stat() = default;
    virtual ~Stat(); // leaves its collector
    Stat(const Stat&) = delete;
    Stat& operator=(const Stat&) = delete;

    // Whether the operator may change the field on the VT.
    void set_editable(bool editable);
    bool is_editable() const { return editable_; }
    Stat_collector* get_collector() const { return collector_; }

    // The library's side.
    // Whether the VT input object is one of the Stat's.
    virtual bool takes(uint16_t object) const = 0;
    // The VT changed the input object's number or text; the pool's object
    // holds it already.
    virtual void take_vt_number(uint32_t) {}
    virtual void take_vt_string(const std::string&) {}
    // Writes the value to the VT objects when it changed since it was last
    // written, or always with all set.
    virtual void send_update(bool all) = 0;

protected:
    // Binds to the collector and the pool; a null collector keeps the one
    // bound before.
    void bind(Stat_collector* collector, VT::vtui_pool* pool);
    // The value changed: the collector's screen has an update pending.
    void mark_changed();
    // Tells the collector of the operator's edit.
    void report_edit();
    // Applies editable to the VT objects, under the pool lock the caller holds.
    virtual void apply_editable() {}
    VT::vtui_pool* get_pool() const { return pool_; }

private:
    Stat_collector* collector_ = nullptr;
    VT::vtui_pool* pool_ = nullptr;
    bool editable_ = false;
};
