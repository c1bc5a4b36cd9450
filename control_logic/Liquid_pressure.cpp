#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"

namespace {

constexpr uint32_t first_adc = 16;
// Tenths of the pressure for ADC values 16 to 134.
constexpr uint16_t pressure_table[] = {
    74,   99,   123,  148,  174,  199,  225,  251,  277,  303,  330,  356,  384,  411,  438,  466,  494,
    523,  552,  581,  610,  639,  669,  699,  730,  760,  791,  823,  854,  886,  918,  951,  984,  1017,
    1051, 1085, 1119, 1154, 1189, 1224, 1260, 1296, 1333, 1370, 1407, 1445, 1484, 1522, 1561, 1601, 1641,
    1681, 1722, 1764, 1806, 1848, 1891, 1934, 1978, 2022, 2067, 2113, 2159, 2206, 2253, 2301, 2349, 2398,
    2448, 2498, 2549, 2600, 2652, 2705, 2759, 2813, 2868, 2924, 2981, 3038, 3096, 3155, 3215, 3275, 3337,
    3399, 3462, 3526, 3591, 3657, 3724, 3792, 3861, 3931, 4003, 4075, 4148, 4223, 4298, 4375, 4453, 4533,
    4613, 4695, 4778, 4863, 4949, 5037, 5126, 5217, 5309, 5403, 5498, 5596, 5695, 5796, 5898, 6003, 6110};
static_assert(sizeof pressure_table / sizeof pressure_table[0] == 119, "ADC values 16 to 134");

}

float Seeder_controller::liquid_pressure(uint32_t adc)
{
    if (adc < first_adc || adc - first_adc >= sizeof pressure_table / sizeof pressure_table[0])
        return 0.0f;
    return float(pressure_table[adc - first_adc] / 10.0);
}

void Seeder_controller::liquid_pressure_step()
{
    for (int i = 0; i < num_channels; ++i) {
        const NV_quvel::channel_t& settings = *app_.channels[i];
        ds_channel& record = store_.body.channels.channels[i];
        uint32_t& input = store_.body.diagnostics.liquid_pressure_sensor[i].adc_val;
        // Channels 0 to 3 share their input with the fan of the same number.
        const bool fan_input = i < 4 && app_.fans[i]->sense_pressure.get();
        if (fan_input || !settings.enabled.get() || !settings.liquid_pressure_sense.get()) {
            put(input, 0u);
            put(record.liquid_pressure, 0.0f);
            continue;
        }
        const float p = liquid_pressure(get(input));
        if (!settings.liquid_filter_pressure.get()) {
            put(record.liquid_pressure, p);
        } else if (get(record.restart_liquid_pressure_filter)) {
            put(record.liquid_pressure, p);
            put(record.restart_liquid_pressure_filter, false);
        } else if (p == 0.0f) {
            // No reading: the next one is taken as it is.
            put(record.liquid_pressure, p);
            put(record.restart_liquid_pressure_filter, true);
        } else {
            const float f = settings.liquid_filter_factor_pressure.get();
            put(record.liquid_pressure, f * get(record.liquid_pressure) + (1.0f - f) * p);
        }
    }
}
