#pragma once
#include <cstdint>

// What a Stat_indicator recolours: an object (a rectangle) and the
// fill-attributes object it takes in each state, from a list its owner keeps.
template <class T>
class Stat_indicator_gen_client {
public:
    Stat_indicator_gen_client() = default;
    Stat_indicator_gen_client(T* object, const uint16_t* fills, unsigned int count)
        : object_(object), fills_(fills), count_(count)
    {
    }
    Stat_indicator_gen_client(const Stat_indicator_gen_client&) = delete;
    Stat_indicator_gen_client& operator=(const Stat_indicator_gen_client&) = delete;

    void init(T* object, const uint16_t* fills, unsigned int count)
    {
        object_ = object;
        fills_ = fills;
        count_ = count;
        state_ = -1;
    }
    // The object takes the fill of the state; a state beyond the list, or
    // no object, changes nothing. The caller holds the pool lock.
    void set_state(unsigned int state)
    {
        if (!object_ || !fills_ || state >= count_)
            return;
        object_->set_fill_attributes(fills_[state]);
        state_ = int(state);
    }
    // -1 until a state is set.
    int get_state() const { return state_; }
    T* get_object() const { return object_; }

private:
    T* object_ = nullptr;
    const uint16_t* fills_ = nullptr;
    unsigned int count_ = 0;
    int state_ = -1;
};
