#include "app/Interim_ui.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

bool Interim_ui::ui_enabled()
{
    return !store_.head.get(store_.body.system.non_vtt_connected);
}

void Interim_ui::handle_pool_uploaded(uint64_t vt_name)
{
    parameters_.system.specific_vt_name.set(vt_name);
    store_.head.set(store_.body.system.vt_uploaded, true);
}

void Interim_ui::handle_terminal_alive(bool alive)
{
    store_.head.set(store_.body.system.vt_alive, alive);
}
