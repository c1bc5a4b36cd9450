#pragma once
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "ui/screens/Seeder_tanks.h"

// What the two live diagnostics pages share: the flag that tells the control
// core a diagnostics page is up, and which tanks have a pressure reading.
namespace Diagnostics_pages {

// Written on each page's activation and deactivation: switching between the
// pages clears it and sets it again.
inline void set_showing(Data_store& store, bool showing)
{
    store.head.set(store.body.diagnostics.showing_diagnostics, showing);
}

// A liquid or NH3 tank in use whose pressure sensor is fitted.
inline bool senses_pressure(const NV_quvel::channel_t& channel)
{
    return channel.enabled.get() && channel.mode.get() != Seeder_tanks::granular &&
           channel.liquid_pressure_sense.get();
}

}
