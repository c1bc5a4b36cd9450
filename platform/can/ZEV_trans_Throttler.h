#pragma once

namespace ZEV_trans {
// Paces the data packets of long messages so that a slow peer keeps up:
// after every pkts_between_delay packets the sender pauses delay_ms. A 0 in
// either turns pacing off.
class Throttler {
public:
    explicit Throttler(int delay_ms = 0, int pkts_between_delay = 0)
        : delay_ms_(delay_ms > 0 ? delay_ms : 0), pkts_(pkts_between_delay > 0 ? pkts_between_delay : 0)
    {
    }
    int get_delay_ms() const { return delay_ms_; }
    int get_pkts_between_delay() const { return pkts_; }
    bool is_active() const { return delay_ms_ > 0 && pkts_ > 0; }

private:
    int delay_ms_;
    int pkts_;
};
}
