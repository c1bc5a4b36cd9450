#pragma once
#include "vt_pool/VtObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

// The object IDs of the seeder's code-built pool that the running screens
// use. IDs follow from the order the pool is built in, so nothing else may
// assume a number: the screen builders record here each object the running
// screens touch, and the screens read it here. One process-wide table,
// every ID 65535 (no object) until the pool is built.
//
// Each entry takes 32 bits, an ID in its low 16 and the object type its
// field promises next to it. The groups of the screens start at fixed
// entries (checked below); what no longer fits a screen's group lives in
// that screen's further group after entry 1120.

// The type a field names any object of.
constexpr uint8_t any_vt_type = 0xFF;

// One entry of the table as a whole: what every typed field looks like.
struct Seeder_pool_entry {
    uint16_t oid;
    uint8_t type;
    uint8_t unused;
};

// A field of the table naming an object of that VT object type.
template <uint8_t Type>
struct Vt_id {
    uint16_t oid = 0xFFFF;
    uint8_t type = Type;
    uint8_t unused = 0;

    operator uint16_t() const { return oid; }
    bool recorded() const { return oid != 0xFFFF; }
    // Keeps the object's ID; a null object leaves the field as it is.
    void record(const VtObject* object)
    {
        if (object)
            oid = object->getOid();
    }
};

using Mask_id = Vt_id<1>;
using Container_id = Vt_id<3>;
using Soft_key_mask_id = Vt_id<4>;
using Key_id = Vt_id<5>;
using Button_id = Vt_id<6>;
using Input_string_id = Vt_id<8>;
using Input_number_id = Vt_id<9>;
using Input_list_id = Vt_id<10>;
using Output_string_id = Vt_id<11>;
using Output_number_id = Vt_id<12>;
using Rectangle_id = Vt_id<14>;
using Number_variable_id = Vt_id<21>;
using Fill_id = Vt_id<25>;
using Pointer_id = Vt_id<27>;
using Any_id = Vt_id<any_vt_type>;

template <size_t N>
using Spare_ids = std::array<Any_id, N>;

// Objects of the operating screen that other screens reuse, then its own
// fields.
struct Shared_ids {
    Spare_ids<21> spare;
};

struct Main_screen_ids {
    Mask_id mask;                           // 21
    Spare_ids<1> spare_a;                   // 22
    Soft_key_mask_id page1;                 // 23
    Soft_key_mask_id page2;                 // 24
    Container_id status_row;                // 25: page 1
    Container_id alt_status_row;            // 26: page 2, hidden
    Input_list_id tank_list;                // 27: items 63 .. 67
    Input_list_id sub_area_list;            // 28: on page 2
    Input_list_id viewed_tank_list;         // 29: on page 2, items in main_more
    Output_number_id ground_speed;          // 30
    Output_number_id area_rate;             // 31
    std::array<Output_number_id, 2> fan_speeds;    // 32 .. 33: fans 1 and 2
    std::array<Output_number_id, 2> fan_pressures; // 34 .. 35
    Output_number_id total_area;            // 36: page 2
    Output_number_id sub_area_area;         // 37: page 2
    Output_number_id sub_area_volume;       // 38: page 2
    // Fan 1 speed, fan 2 speed, fan 1 pressure, fan 2 pressure (two fans),
    // then speed and pressure of the one-fan layout; each holds the number
    // field the screen binds.
    std::array<Container_id, 6> fan_containers; // 39 .. 44
    Container_id manual_speed_container;    // 45: the boxed "(Manual)"
    Fill_id fill_red;                       // 46
    Fill_id fill_green;                     // 47
    Fill_id fill_white;                     // 48
    Fill_id fill_yellow;                    // 49
    Key_id page1_toggle_key;                // 50
    Key_id tank_on_off_key;                 // 51: shown through tank_on_off_slot
    Pointer_id tank_on_off_slot;            // 52
    Key_id preset_key;                      // 53
    Key_id increase_key;                    // 54
    Key_id decrease_key;                    // 55
    Key_id master_key;                      // 56
    Key_id page2_toggle_key;                // 57
    Key_id settings_key;                    // 58
    Key_id reset_sub_area_key;              // 59
    Key_id reset_area_key;                  // 60
    Key_id manual_speed_key;                // 61
    Key_id diagnostics_key;                 // 62
    std::array<Output_string_id, 5> tank_list_items; // 63 .. 67
    Rectangle_id master_indicator;          // 68
    Rectangle_id manual_speed_indicator;    // 69
};

struct Tank_fill_ids {
    Mask_id mask;                                // 70
    Input_list_id tank_list;                     // 71
    std::array<Output_string_id, 5> list_items;  // 72 .. 76: tanks 1 to 4, all tanks
    Container_id multi_tank_container;           // 77: the tank selection
    Container_id single_tank_container;          // 78
};

// Arrays of four are per tank 1 to 4, of two per fan 1 and 2.
struct Actuator_diagnostics_ids {
    Mask_id mask;                                     // 79
    Soft_key_mask_id plain_keys;                      // 80: attached, no toggle key
    Soft_key_mask_id toggle_keys;                     // 81: with the toggle key
    Key_id main_key;                                  // 82: 17
    Key_id system_info_key;                           // 83: 65
    Key_id reset_key;                                 // 84: 59
    Key_id toggle_key;                                // 85: 1
    Key_id blocked_head_key;                          // 86: 98
    // The keys above but the toggle, through one slot each on both masks.
    std::array<Pointer_id, 4> plain_slots;            // 87 .. 90
    std::array<Pointer_id, 4> toggle_slots;           // 91 .. 94
    Output_number_id ground_speed_period;             // 95
    Output_number_id ground_speed_pulses;             // 96
    std::array<Output_number_id, 4> shaft_periods;    // 97 .. 100
    std::array<Output_number_id, 4> shaft_pulses;     // 101 .. 104
    std::array<Output_number_id, 4> drive_outputs;    // 105 .. 108: shown through drive_pointers
    std::array<Output_number_id, 4> motor_currents;   // 109 .. 112: shown through current_pointers
    std::array<Output_number_id, 2> fan_periods;      // 113 .. 114
    std::array<Output_number_id, 2> fan_pulses;       // 115 .. 116
    std::array<Output_number_id, 2> fan_sensors;      // 117 .. 118
    std::array<Container_id, 2> fan_rows;             // 119 .. 120: the fan's column
    std::array<Pointer_id, 2> fan_pointers;           // 121 .. 122: show fan_values
    std::array<Container_id, 2> fan_values;           // 123 .. 124: period and pulses
    std::array<Pointer_id, 4> drive_pointers;         // 125 .. 128
    std::array<Pointer_id, 4> current_pointers;       // 129 .. 132
    std::array<Container_id, 4> act_labels;           // 133 .. 136: "Act %d %%"
    std::array<Container_id, 4> elec_labels;          // 137 .. 140: "Elec %d"
    std::array<Container_id, 4> pv_labels;            // 141 .. 144: "PV %d %%"
    std::array<Container_id, 4> shaft_rows;           // 145 .. 148
    std::array<Container_id, 4> bin_rows;             // 149 .. 152
    std::array<Container_id, 4> bin_empty;            // 153 .. 156: "Empty"
    std::array<Container_id, 4> bin_full;             // 157 .. 160: "Full"
    Spare_ids<10> spare;                              // 161 .. 170
};

struct Diagnostics2_ids {
    Mask_id mask;                                     // 171
    Key_id main_key;                                  // 172: 17
    Key_id system_info_key;                           // 173: 65
    Key_id toggle_key;                                // 174: 1
    std::array<Output_number_id, 4> pressure_values;  // 175 .. 178
    std::array<Container_id, 4> pressure_columns;     // 179 .. 182
};

struct Blocked_head_diags_ids {
    Mask_id mask;           // 183
    Key_id main_key;        // 184: 17
    Key_id system_info_key; // 185: 65
    Key_id diags_key;       // 186: 1
    std::array<Output_string_id, 4> bit_rows; // 187 .. 190: inputs 8..1 to 32..25
};

struct System_info_ids {
    Mask_id mask;                                // 191
    Key_id main_key;                             // 192: 17
    Key_id diags_key;                            // 193: 1
    std::array<Output_string_id, 3> value_labels; // 194 .. 196
    Spare_ids<1> spare;
};

struct Settings_menu_ids {
    Mask_id mask;                // 198
    Key_id main_key;             // 199: 17
    Button_id seeder_button;     // 200: 16
    Button_id products_button;   // 201: 20
    Button_id alarms_button;     // 202: 21
    Button_id area_test_button;  // 203: 89
    Button_id advanced_button;   // 204: 94
};

struct Operating_history_menu_ids {
    Mask_id mask;                           // 205
    Key_id seeder_key;                      // 206: 16
    Key_id settings_key;                    // 207: 14
    Key_id main_key;                        // 208: 17
    std::array<Button_id, 3> menu_buttons;  // 209 .. 211
};

struct Seeder_settings_menu_ids {
    Mask_id mask;                           // 212
    Key_id settings_key;                    // 213: 14
    Key_id main_key;                        // 214: 17
    Button_id tank_preload_button;          // 215: 75
    Pointer_id pointer;                     // 216
    std::array<Button_id, 8> menu_buttons;  // 217 .. 224
    Spare_ids<1> spare;
};

struct Tank_settings_ids {
    Mask_id mask;                                          // 226
    Key_id seeder_key;                                     // 227: 16
    Key_id settings_key;                                   // 228: 14
    Key_id main_key;                                       // 229: 17
    Input_list_id tank_count;                              // 230: items "  1  " .. "  4  "
    std::array<Container_id, 4> rows;                      // 231 .. 234: per tank
    std::array<Input_number_id, 4> capacities;             // 235 .. 238
    std::array<Input_list_id, 4> types;                    // 239 .. 242
    std::array<Container_id, 4> granular_drive_containers; // 243 .. 246
    std::array<Input_list_id, 4> granular_drives;          // 247 .. 250
    std::array<Container_id, 4> liquid_drive_containers;   // 251 .. 254: hidden
    std::array<Input_list_id, 4> liquid_drives;            // 255 .. 258
    Spare_ids<3> spare;
};

struct Tank_preload_ids {
    Mask_id mask;                 // 262
    Key_id seeder_key;            // 263: 16
    Key_id settings_key;          // 264: 14
    Key_id main_key;              // 265: 17
    Input_number_id preload_time; // 266
};

// Tank settings (15), seeder menu (16), settings (14) and main screen (17).
struct Drive_screen_keys {
    Key_id tank_settings_key;
    Key_id seeder_key;
    Key_id settings_key;
    Key_id main_key;
};

struct Actuator_drive_ids {
    Mask_id mask;                     // 267
    Drive_screen_keys keys;           // 268 .. 271
    Output_number_id tank_number;     // 272
    Input_number_id encoder_teeth;    // 273
    Input_list_id clutch;             // 274
    Input_list_id style;              // 275
};

// The custom motor's input and the fixed motor's value of one field, each
// in a container of its own: one of the two is shown.
struct Motor_value_ids {
    Input_number_id custom;
    Output_number_id fixed;
};

struct Motor_value_containers {
    Container_id custom;
    Container_id fixed; // hidden
};

struct Electric_drive_ids {
    Mask_id mask;                            // 276
    Drive_screen_keys keys;                  // 277 .. 280
    Output_number_id tank_number;            // 281
    Input_list_id shaft_sensor;              // 282
    Input_list_id soft_start;                // 283
    Input_number_id gear_ratio;              // 284
    Input_number_id shaft_pulses_per_rev;    // 285
    Motor_value_ids pulses_per_rev;          // 286 .. 287
    Motor_value_ids max_rpm;                 // 288 .. 289
    Motor_value_ids min_rpm;                 // 290 .. 291
    Input_list_id motor_selection;           // 292
    Motor_value_containers pulses_per_rev_containers; // 293 .. 294
    Motor_value_containers max_rpm_containers;        // 295 .. 296
    Motor_value_containers min_rpm_containers;        // 297 .. 298
};

struct Prop_valve_drive_ids {
    Mask_id mask;                      // 299
    Drive_screen_keys keys;            // 300 .. 303
    Button_id control_settings_button; // 304: 70
    Output_number_id tank_number;      // 305
    Input_list_id tank_clutch;         // 306
    Input_list_id shaft_sensor;        // 307
    Input_number_id encoder_pulses_per_rev; // 308
    Input_number_id gear_ratio;        // 309
    Input_number_id shaft_pulses_per_rev;   // 310
    Input_number_id min_rpm;           // 311
    Input_number_id max_rpm;           // 312
};

// The seven lists of a proportional valve's control settings.
struct Valve_control_lists {
    Input_list_id soft_start;
    Input_list_id soft_stop;
    Input_list_id add_dither;
    Input_list_id dump_valve;
    Input_list_id min_pwm;
    Input_list_id max_pwm;
    Input_list_id response;
};

struct Prop_valve_control_ids {
    Mask_id mask;                          // 313
    Drive_screen_keys keys;                // 314 .. 317
    Button_id drive_settings_button;       // 318: 71
    Output_number_id tank_number;          // 319
    Valve_control_lists lists;             // 320 .. 326
};

struct Liquid_prop_valve_ids {
    Mask_id mask;                     // 327
    Drive_screen_keys keys;           // 328 .. 331
    Button_id setup_button;           // 332: 71
    Output_number_id tank_number;     // 333
    Input_list_id pressure_sense;     // 334
    Input_number_id num_nozzles;      // 335
};

struct Liquid_prop_valve_control_ids {
    Mask_id mask;                          // 336
    Drive_screen_keys keys;                // 337 .. 340
    Button_id settings_button;             // 341: 71
    Output_number_id tank_number;          // 342
    Valve_control_lists lists;             // 343 .. 349
};

struct Liquid_reg_valve_control_ids {
    Mask_id mask;                     // 350
    Drive_screen_keys keys;           // 351 .. 354
    Button_id settings_button;        // 355: 71
    Output_number_id tank_number;     // 356
    Input_list_id reverse_valve;      // 357
    Input_list_id close_valve;        // 358
    Input_list_id relay_on;           // 359
    Input_list_id sensitivity;        // 360
    Input_list_id controller_mode;    // 361
    // Per controller mode 0 to 3, each list in a container of its own.
    std::array<Input_list_id, 4> pwm_setting;            // 362 .. 365
    std::array<Input_list_id, 4> max_on_time;            // 366 .. 369
    std::array<Input_list_id, 4> min_on_time;            // 370 .. 373
    std::array<Input_list_id, 4> gain_setting;           // 374 .. 377
    std::array<Container_id, 4> pwm_setting_containers;  // 378 .. 381
    std::array<Container_id, 4> max_on_time_containers;  // 382 .. 385
    std::array<Container_id, 4> min_on_time_containers;  // 386 .. 389
    std::array<Container_id, 4> gain_setting_containers; // 390 .. 393
};

struct Wheel_calibration_ids {
    Mask_id mask;                          // 394
    Key_id cancel_key;                     // 395: 9
    Key_id start_key;                      // 396: 58, shown through start_slot
    Key_id accept_key;                     // 397: 7, shown through accept_slot
    Key_id next_key;                       // 398: 8, shown through next_slot
    Pointer_id start_slot;                 // 399: soft-key slots, empty at first
    Pointer_id next_slot;                  // 400
    Pointer_id accept_slot;                // 401
    Output_number_id factor;               // 402
    Output_number_id pulses;               // 403
    Output_number_id estimated_distance;   // 404
    // The distance travelled: an input and an output number on one
    // variable, shown through the pointer.
    Number_variable_id distance_variable;  // 405
    Input_number_id distance_input;        // 406
    Output_number_id distance_output;      // 407
    Pointer_id distance_pointer;           // 408
    Output_string_id instruction;          // 409
};

struct Wheel_calibration_settings_ids {
    Mask_id mask;             // 410
    Key_id calibrate_key;     // 411: 18
    Key_id seeder_key;        // 412: 16
    Key_id settings_key;      // 413: 14
    Key_id main_key;          // 414: 17
    Input_number_id factor;   // 415
};

struct Width_and_speed_ids {
    Mask_id mask;                  // 416
    Key_id seeder_key;             // 417: 16
    Key_id settings_key;           // 418: 14
    Key_id main_key;               // 419: 17
    Input_number_id width;         // 420
    Input_number_id manual_speed;  // 421
    Input_list_id speed_source;    // 422
    Spare_ids<7> spare;
};

// History menu (10), seeder menu (16), settings (14) and main screen (17).
struct History_screen_keys {
    Key_id history_key;
    Key_id seeder_key;
    Key_id settings_key;
    Key_id main_key;
};

struct Totals_history_ids {
    Mask_id mask;                                // 430
    History_screen_keys keys;                    // 431 .. 434
    Output_number_id area;                       // 435
    Output_number_id distance;                   // 436
    Output_number_id time;                       // 437
    Output_number_id max_speed;                  // 438
    std::array<Output_number_id, 4> tank_totals; // 439 .. 442
};

struct Shafts_history_ids {
    Mask_id mask;                                 // 443
    History_screen_keys keys;                     // 444 .. 447
    std::array<Output_number_id, 4> shaft_speeds; // 448 .. 451
};

struct Fans_history_ids {
    Mask_id mask;                  // 452
    History_screen_keys keys;      // 453 .. 456
    Input_list_id fan_list;        // 457: "1", "2"
    Output_number_id max_speed;    // 458
    Output_number_id max_pressure; // 459
    Output_number_id avg_speed;    // 460
    Output_number_id avg_pressure; // 461
};

struct External_options_ids {
    Mask_id mask;                                        // 462
    Key_id seeder_key;                                   // 463: 16
    Key_id settings_key;                                 // 464: 14
    Key_id main_key;                                     // 465: 17
    Input_list_id master_switch;                         // 466
    Input_list_id cabin_switch_box;                      // 467
    Input_list_id cal_switch_box;                        // 468
    Input_list_id cal_drive;                             // 469
    Input_list_id master_clutch;                         // 470
    Input_list_id act_cal_style;                         // 471
    std::array<Output_string_id, 4> master_switch_items; // 472 .. 475
    std::array<Output_string_id, 5> cal_drive_items;     // 476 .. 480
    Container_id cal_drive_row;                          // 481
    Container_id master_clutch_row;                      // 482
    Container_id act_cal_style_row;                      // 483
};

struct Fan_settings_ids {
    Mask_id mask;                                 // 484
    Key_id seeder_key;                            // 485: 16
    Key_id settings_key;                          // 486: 14
    Key_id main_key;                              // 487: 17
    Input_list_id fan_count;                      // 488
    std::array<Input_list_id, 2> gains;           // 489 .. 490: per fan
    std::array<Input_list_id, 2> senses;          // 491 .. 492
    Input_list_id case_drain;                     // 493
    Input_list_id pump;                           // 494
    std::array<Input_number_id, 2> magnets;       // 495 .. 496
    std::array<Container_id, 2> sense_groups;     // 497 .. 498: sense and gain
    std::array<Container_id, 2> magnets_groups;   // 499 .. 500
    Container_id case_drain_group;                // 501
    Container_id pump_group;                      // 502
};

struct Seeder_brand_ids {
    Mask_id mask;                                  // 503
    Key_id seeder_key;                             // 504: 16
    Key_id settings_key;                           // 505: 14
    Key_id main_key;                               // 506: 17
    Input_list_id brand_list;                      // 507
    std::array<Output_string_id, 7> brand_items;   // 508 .. 514
};

struct Product_settings_menu_ids {
    Mask_id mask;                                    // 515
    std::array<Button_id, 16> product_buttons;       // 516 .. 531
    std::array<Output_string_id, 16> product_labels; // 532 .. 547: "PROD%d"
    std::array<Output_string_id, 16> tank_labels;    // 548 .. 563: "Tank%d"
    Key_id settings_key;                             // 564: 14
    Key_id main_key;                                 // 565: 17
    Key_id multi_cal_key;                            // 566: 99
};

struct Alarm_settings_menu_ids {
    Mask_id mask;                           // 567
    Key_id settings_key;                    // 568: 14
    Key_id main_key;                        // 569: 17
    Key_id inhibit_key;                     // 570: 92
    std::array<Button_id, 8> menu_buttons;  // 571 .. 578
    Rectangle_id rectangle;                 // 579
};

struct Product_settings_ids {
    Mask_id mask;                   // 580
    Key_id product_menu_key;        // 581: 29
    Key_id settings_key;            // 582: 14
    Key_id main_key;                // 583: 17
    Button_id cal_factor_button;    // 584: 113, inside cal_button_group
    Input_string_id name;           // 585
    Input_list_id tank_list;        // 586: "1" .. "4", "OFF"
    Input_number_id density;        // 587
    Input_number_id rate_1;         // 588
    Input_number_id rate_2;         // 589
    Input_number_id cal_factor;     // 590: inside cal_factor_group
    Input_number_id inc_dec;        // 591
    Container_id cal_button_group;  // 592: shown for a tank calibrated by a run
    Container_id cal_factor_group;  // 593: shown for a tank whose factor is typed in
    Output_string_id rate_units;    // 594
    Output_string_id cal_factor_units; // 595
};

struct Tank_calibration_ids {
    Mask_id mask;                              // 596
    Key_id start_key;                          // 597: 58
    Key_id next_key;                           // 598: 8
    Key_id cancel_key;                         // 599: 9
    Key_id accept_key;                         // 600: 7
    Key_id cal_style_key;                      // 601: 88
    Key_id product_settings_key;               // 602: 20
    Pointer_id cal_style_slot;                 // 603: soft-key place 5
    Pointer_id product_settings_slot;          // 604: soft-key place 6
    std::array<Pointer_id, 4> key_slots;       // 605 .. 608: places 1 .. 4
    Output_number_id tank_number;              // 609
    Output_string_id product_name;             // 610
    Container_id set_rate_group;               // 611
    Input_number_id set_rate;                  // 612
    Output_string_id set_rate_units;           // 613
    Container_id extension_group;              // 614: hidden
    Input_number_id extension;                 // 615
    Output_string_id revs_label;               // 616
    Output_number_id revs;                     // 617
    Output_number_id estimated_weight;         // 618
    Output_string_id weight_units;             // 619
    Number_variable_id cal_factor_variable;    // 620
    Input_number_id cal_factor_input;          // 621
    Output_number_id cal_factor_output;        // 622
    Pointer_id cal_factor_pointer;             // 623: shows the input or the output
    Output_string_id cal_factor_units;         // 624
    Number_variable_id weight_variable;        // 625
    Input_number_id weight_input;              // 626
    Output_number_id weight_output;            // 627
    Pointer_id weight_pointer;                 // 628
    Output_string_id instruction;              // 629
    Spare_ids<1> spare;                        // 630
};

struct Area_test_ids {
    Mask_id mask;                                   // 631
    Key_id settings_key;                            // 632: 14
    Key_id main_key;                                // 633: 17
    Key_id start_key;                               // 634: 58
    Key_id pause_key;                               // 635: 90
    Key_id resume_key;                              // 636: 91
    Key_id reset_key;                               // 637: 59
    std::array<Pointer_id, 4> key_slots;            // 638 .. 641
    Number_variable_id required_variable;           // 642
    Input_number_id required_input;                 // 643
    Output_number_id required_output;               // 644
    Pointer_id required_pointer;                    // 645
    Output_number_id area_covered;                  // 646
    Output_string_id area_units;                    // 647
    std::array<Container_id, 4> tank_groups;        // 648 .. 651
    std::array<Output_number_id, 4> tank_values;    // 652 .. 655
    std::array<Output_string_id, 4> tank_units;     // 656 .. 659
    std::array<Rectangle_id, 4> tank_indicators;    // 660 .. 663: red fill
    Output_string_id instruction;                   // 664
    Spare_ids<2> spare;
};

// Alarms menu (29), settings (14) and main screen (17).
struct Alarm_screen_keys {
    Key_id alarms_menu_key;
    Key_id settings_key;
    Key_id main_key;
};

// The lists hold "Disabled" (0) and "Enabled" (1). A tank's row on the
// per-tank screens is its left and its right cell.
struct Fan_alarms_ids {
    Mask_id mask;                                 // 667
    Alarm_screen_keys keys;                       // 668 .. 670
    std::array<Input_list_id, 4> lists;           // 671 .. 674: press. low, press. high, speed low, speed high
    std::array<Input_number_id, 4> alarm_points;  // 675 .. 678
};

// Two alarms of each tank, one tank a row: tank alarms (low, empty) at 679,
// tank motor alarms (sensor, jam) at 723.
struct Tank_alarm_pair_ids {
    Mask_id mask;                                 // +0
    Alarm_screen_keys keys;                       // +1 .. +3
    std::array<Input_list_id, 4> first_lists;     // +4 .. +7
    std::array<Input_list_id, 4> second_lists;    // +8 .. +11
    std::array<Container_id, 4> left_cells;       // +12 .. +15
    std::array<Container_id, 4> right_cells;      // +16 .. +19
};
using Tank_alarms_ids = Tank_alarm_pair_ids;
using Tank_motor_alarms_ids = Tank_alarm_pair_ids;

// One alarm of each tank, one tank a row: shaft alarms at 699, tank gear
// alarms at 743.
struct Tank_alarm_row_ids {
    Mask_id mask;                                 // +0
    Alarm_screen_keys keys;                       // +1 .. +3
    std::array<Input_list_id, 4> lists;           // +4 .. +7
    std::array<Container_id, 4> left_cells;       // +8 .. +11
    std::array<Container_id, 4> right_cells;      // +12 .. +15
};
using Shaft_alarms_ids = Tank_alarm_row_ids;
using Tank_gear_alarms_ids = Tank_alarm_row_ids;

struct Other_alarms_ids {
    Mask_id mask;                          // 715
    Alarm_screen_keys keys;                // 716 .. 718
    std::array<Input_list_id, 4> lists;    // 719 .. 722: tank off, alternative rate, case drain, blocked head
};

struct Tank_pressure_alarms_ids {
    Mask_id mask;                                 // 759
    Alarm_screen_keys keys;                       // 760 .. 762
    std::array<Input_list_id, 4> low_lists;       // 763 .. 766
    std::array<Input_list_id, 4> high_lists;      // 767 .. 770
    std::array<Input_number_id, 4> low_points;    // 771 .. 774
    std::array<Input_number_id, 4> high_points;   // 775 .. 778
    std::array<Container_id, 4> left_cells;       // 779 .. 782
    std::array<Container_id, 4> right_cells;      // 783 .. 786
};

struct No_flow_alarms_ids {
    Mask_id mask;                          // 787
    Alarm_screen_keys keys;                // 788 .. 790
    std::array<Input_list_id, 4> lists;    // 791 .. 794: tanks off, no speed, no fan, no fan pressure
    Spare_ids<5> spare;
};

struct Advanced_settings_ids {
    Button_id switch_vt_button;       // 800: 95
    Button_id factory_reset_button;   // 801: 96
    Button_id factory_upgrade_button; // 802: 110
};

struct Confirm_factory_reset_ids {
    Mask_id mask;       // 803
    Key_id confirm_key; // 804: 7
    Key_id cancel_key;  // 805: 9
};

struct Factory_upgrade_ids {
    Mask_id mask;                        // 806
    Key_id advanced_key;                 // 807: 14
    Key_id main_key;                     // 808: 17
    Key_id volume_key;                   // 809: 58 "Toggle" / "FS Vol"
    Key_id start_key;                    // 810: 58
    Key_id stop_key;                     // 811: 111
    Key_id continue_key;                 // 812: 112
    std::array<Pointer_id, 5> key_slots; // 813 .. 817: four key places, then Stop or Continue
    Output_string_id state;              // 818
    Output_string_id error;              // 819
    Output_number_id progress;           // 820
    Output_string_id volume;             // 821
    Input_list_id type_list;             // 822
    Output_string_id instruction;        // 823
    Spare_ids<1> spare;
};

struct Blocked_head_settings_ids {
    Mask_id mask;                     // 825
    Key_id seeder_key;                // 826: 16
    Key_id settings_key;              // 827: 14
    Key_id main_key;                  // 828: 17
    Input_list_id monitoring;         // 829
    Input_list_id sensor_type;        // 830
    Input_number_id num_sensors;      // 831
    Input_list_id head_systems;       // 832
    Input_list_id enabled_heads;      // 833
    Input_number_id first_fert_sensor; // 834
    Container_id enabled_heads_row;   // 835: shown for double shoot
    Container_id first_fert_row;      // 836: shown for double shoot
    Spare_ids<5> spare;
};

// The multi-tank calibration's keys are shown through soft-key places, in
// the order of the keys; each array holds tanks 1 to 4.
struct Multi_tank_cal1_ids {
    Mask_id mask;                                    // 842
    Key_id product_settings_key;                     // 843: 29
    Key_id main_key;                                 // 844: 17
    Key_id next_key;                                 // 845: 8
    Key_id reset_key;                                // 846: 59
    Key_id master_key;                               // 847: 6
    Key_id cal_style_key;                            // 848: 88
    std::array<Pointer_id, 6> key_slots;             // 849 .. 854
    Rectangle_id master_indicator;                   // 855: inside the master key
    std::array<Container_id, 4> rows;                // 856 .. 859
    std::array<Container_id, 4> rate_groups;        // 860 .. 863: first alternative, the target
    std::array<Container_id, 4> preset_groups;       // 864 .. 867: second alternative, hidden
    std::array<Container_id, 4> off_groups;          // 868 .. 871
    std::array<Container_id, 4> on_groups;           // 872 .. 875
    std::array<Button_id, 4> off_buttons;            // 876 .. 879: 114 .. 117
    std::array<Button_id, 4> on_buttons;             // 880 .. 883: 118 .. 121
    std::array<Input_number_id, 4> targets;          // 884 .. 887
    std::array<Number_variable_id, 4> preset_variables; // 888 .. 891
    std::array<Input_number_id, 4> preset_inputs;    // 892 .. 895
    std::array<Output_number_id, 4> preset_outputs;  // 896 .. 899
    std::array<Pointer_id, 4> preset_pointers;       // 900 .. 903
    std::array<Output_number_id, 4> estimated_weights; // 904 .. 907
    std::array<Output_number_id, 4> revs;            // 908 .. 911
    std::array<Output_number_id, 4> loads;           // 912 .. 915
    std::array<Output_string_id, 4> names;           // 916 .. 919
    Spare_ids<11> spare;
};

struct Multi_tank_cal2_ids {
    Mask_id mask;                                    // 931
    Key_id next_key;                                 // 932: 8
    Key_id cancel_key;                               // 933: 9
    std::array<Pointer_id, 2> key_slots;             // 934 .. 935
    std::array<Container_id, 4> rows;                // 936 .. 939
    std::array<Output_string_id, 4> names;           // 940 .. 943
    std::array<Output_number_id, 4> estimated_weights; // 944 .. 947
    std::array<Number_variable_id, 4> actual_variables; // 948 .. 951
    std::array<Input_number_id, 4> actual_inputs;    // 952 .. 955
    std::array<Output_number_id, 4> actual_outputs;  // 956 .. 959
    std::array<Pointer_id, 4> actual_pointers;       // 960 .. 963
    Spare_ids<9> spare;
};

struct Multi_tank_cal3_ids {
    Mask_id mask;                                    // 973
    Key_id clear_all_key;                            // 974: 29
    Key_id save_all_key;                             // 975: 17
    Key_id exit_key;                                 // 976: 109
    Key_id back_key;                                 // 977: 100
    std::array<Pointer_id, 4> key_slots;             // 978 .. 981
    std::array<Container_id, 4> rows;                // 982 .. 985
    std::array<Output_string_id, 4> names;           // 986 .. 989
    std::array<Output_number_id, 4> old_factors;     // 990 .. 993
    std::array<Output_number_id, 4> new_factors;     // 994 .. 997
    std::array<Output_number_id, 4> differences;     // 998 .. 1001
    std::array<Container_id, 4> ignore_groups;       // 1002 .. 1005
    std::array<Container_id, 4> save_groups;         // 1006 .. 1009
    std::array<Button_id, 4> ignore_buttons;         // 1010 .. 1013: 101 .. 104
    Spare_ids<1> spare;
};

// What the operating screen builds for one tank row.
struct Seeder_tank_record {
    Output_string_id heading;            // "%d: Product%d": the tank's name
    Number_variable_id rate_variable;    // made with initial_values[0]
    Input_number_id rate_input;          // the requested rate
    Container_id boxed_1;                // hidden: preset 1 mark
    Container_id boxed_2;                // hidden: preset 2 mark
    Rectangle_id status_rectangle;       // small, red: tank on
    Container_id row;                    // the tank's panel
    Container_id alt_container;          // hidden: rate alarm flash, a red rectangle and alt_number
    Output_number_id alt_number;         // the actual rate on the flash
    Container_id full_row_container;     // hidden: liquid pressure panel
    Output_number_id full_row_number;    // the liquid pressure
    Rectangle_id frame;                  // no edges, white fill: tank selected
    Button_id select_button;             // 53 + tank
    Button_id tank_button;               // 29 + tank: to the tank fill screen
    Output_number_id tank_button_number; // the remaining contents
    Container_id man_container;          // hidden
    Button_id man_button;                // 83 + tank
    Container_id auto_container;         // hidden
    Button_id auto_button;               // 79 + tank
    std::array<uint32_t, 5> initial_values{110, 300, 500, 10, 10};
    bool flag = false;
};

// What no longer fits the screens' groups above.
struct Tank_fill_more_ids {
    Key_id fill_key;
    Key_id increase_key;
    Key_id decrease_key;
    Key_id settings_key;
    Key_id main_key;
    // Per tank 1 to 4: its panel, its content and step inputs and their
    // units strings.
    std::array<Container_id, 4> tank_containers;
    std::array<Input_number_id, 4> fill_levels;
    std::array<Output_string_id, 4> fill_level_units;
    std::array<Input_number_id, 4> fill_steps;
    std::array<Output_string_id, 4> fill_step_units;
};

struct Advanced_settings_more_ids {
    Mask_id mask;
    Key_id settings_key;
    Key_id main_key;
    Input_list_id enable_tc;
};

struct Main_screen_more_ids {
    // Per tank 1 to 4: the actual rate under the rate input.
    std::array<Output_number_id, 4> actual_rates;
    // The viewed-tank list's items "1" to "4".
    std::array<Output_string_id, 4> viewed_tank_items;
};

struct Tank_settings_more_ids {
    std::array<Button_id, 4> setup_buttons; // "Setup1" .. "Setup4"
};

struct Totals_history_more_ids {
    Output_string_id distance_units;
};

struct Fans_history_more_ids {
    std::array<Output_string_id, 2> fan_items; // the fan list's elements
};

struct Product_settings_more_ids {
    std::array<Output_string_id, 5> tank_items; // the tank list's elements, "OFF" last
};

struct Multi_tank_cal3_more_ids {
    std::array<Button_id, 4> save_buttons; // 105 .. 108
};

struct Seeder_pool_ids {
    static constexpr uint32_t tank_count = 4;

    Shared_ids shared;                                        // 0
    Main_screen_ids main;                                     // 21
    Tank_fill_ids tank_fill;                                  // 70
    Actuator_diagnostics_ids actuator_diagnostics;            // 79
    Diagnostics2_ids diagnostics2;                            // 171
    Blocked_head_diags_ids blocked_head_diags;                // 183
    System_info_ids system_info;                              // 191
    Settings_menu_ids settings_menu;                          // 198
    Operating_history_menu_ids operating_history_menu;        // 205
    Seeder_settings_menu_ids seeder_settings_menu;            // 212
    Tank_settings_ids tank_settings;                          // 226
    Tank_preload_ids tank_preload;                            // 262
    Actuator_drive_ids actuator_drive;                        // 267
    Electric_drive_ids electric_drive;                        // 276
    Prop_valve_drive_ids prop_valve_drive;                    // 299
    Prop_valve_control_ids prop_valve_control;                // 313
    Liquid_prop_valve_ids liquid_prop_valve;                  // 327
    Liquid_prop_valve_control_ids liquid_prop_valve_control;  // 336
    Liquid_reg_valve_control_ids liquid_reg_valve_control;    // 350
    Wheel_calibration_ids wheel_calibration;                  // 394
    Wheel_calibration_settings_ids wheel_calibration_settings; // 410
    Width_and_speed_ids width_and_speed;                      // 416
    Totals_history_ids totals_history;                        // 430
    Shafts_history_ids shafts_history;                        // 443
    Fans_history_ids fans_history;                            // 452
    External_options_ids external_options;                    // 462
    Fan_settings_ids fan_settings;                            // 484
    Seeder_brand_ids seeder_brand;                            // 503
    Product_settings_menu_ids product_settings_menu;          // 515
    Alarm_settings_menu_ids alarm_settings_menu;              // 567
    Product_settings_ids product_settings;                    // 580
    Tank_calibration_ids tank_calibration;                    // 596
    Area_test_ids area_test;                                  // 631
    Fan_alarms_ids fan_alarms;                                // 667
    Tank_alarms_ids tank_alarms;                              // 679
    Shaft_alarms_ids shaft_alarms;                            // 699
    Other_alarms_ids other_alarms;                            // 715
    Tank_motor_alarms_ids tank_motor_alarms;                  // 723
    Tank_gear_alarms_ids tank_gear_alarms;                    // 743
    Tank_pressure_alarms_ids tank_pressure_alarms;            // 759
    No_flow_alarms_ids no_flow_alarms;                        // 787
    Advanced_settings_ids advanced_settings;                  // 800
    Confirm_factory_reset_ids confirm_factory_reset;          // 803
    Factory_upgrade_ids factory_upgrade;                      // 806
    Blocked_head_settings_ids blocked_head_settings;          // 825
    Multi_tank_cal1_ids multi_tank_cal1;                      // 842
    Multi_tank_cal2_ids multi_tank_cal2;                      // 931
    Multi_tank_cal3_ids multi_tank_cal3;                      // 973
    // Record k belongs to tank k + 1; each reference is the index of its
    // record in tank_records.
    std::array<uint32_t, tank_count> tank_record_refs{0, 1, 2, 3}; // 1015
    std::array<Seeder_tank_record, tank_count> tank_records;       // 1019
    uint32_t tank_record_count = tank_count;                       // 1119
    uint32_t end = 0;                                              // 1120
    Tank_fill_more_ids tank_fill_more;                             // 1121
    Advanced_settings_more_ids advanced_settings_more;
    Main_screen_more_ids main_more;
    Tank_settings_more_ids tank_settings_more;
    Totals_history_more_ids totals_history_more;
    Fans_history_more_ids fans_history_more;
    Product_settings_more_ids product_settings_more;
    Multi_tank_cal3_more_ids multi_tank_cal3_more;

    // The record of tank 1 to 4, through its reference.
    Seeder_tank_record& tank(uint32_t number) { return tank_records.at(tank_record_refs.at(number - 1)); }
    // Every ID field in table order (the tank records' after the groups of
    // the screens, the further groups last).
    std::vector<Seeder_pool_entry> entries() const;
};

namespace seeder_pool_ids_layout {

constexpr size_t entry(size_t index) { return index * sizeof(Seeder_pool_entry); }

static_assert(sizeof(Seeder_pool_entry) == 4 && sizeof(Any_id) == 4 && alignof(Any_id) <= 4);
static_assert(std::is_standard_layout_v<Seeder_pool_ids> && std::is_trivially_copyable_v<Seeder_pool_ids>);
static_assert(sizeof(Seeder_tank_record) == entry(25));
static_assert(offsetof(Seeder_tank_record, initial_values) == entry(19));
static_assert(offsetof(Seeder_pool_ids, main) == entry(21));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, page1) == entry(23));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, status_row) == entry(25));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, fill_red) == entry(46));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, page1_toggle_key) == entry(50));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, page2_toggle_key) == entry(57));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, tank_list_items) == entry(63));
static_assert(offsetof(Seeder_pool_ids, main) + offsetof(Main_screen_ids, master_indicator) == entry(68));
static_assert(offsetof(Seeder_pool_ids, tank_fill) == entry(70));
static_assert(offsetof(Seeder_pool_ids, tank_fill) + offsetof(Tank_fill_ids, single_tank_container) == entry(78));
static_assert(offsetof(Seeder_pool_ids, actuator_diagnostics) == entry(79));
static_assert(offsetof(Seeder_pool_ids, diagnostics2) == entry(171));
static_assert(offsetof(Seeder_pool_ids, diagnostics2) + offsetof(Diagnostics2_ids, pressure_values) == entry(175));
static_assert(offsetof(Seeder_pool_ids, diagnostics2) + offsetof(Diagnostics2_ids, pressure_columns) == entry(179));
static_assert(offsetof(Seeder_pool_ids, blocked_head_diags) == entry(183));
static_assert(offsetof(Seeder_pool_ids, system_info) == entry(191));
static_assert(offsetof(Seeder_pool_ids, system_info) + offsetof(System_info_ids, value_labels) == entry(194));
static_assert(offsetof(Seeder_pool_ids, settings_menu) == entry(198));
static_assert(offsetof(Seeder_pool_ids, operating_history_menu) == entry(205));
static_assert(offsetof(Seeder_pool_ids, operating_history_menu) + offsetof(Operating_history_menu_ids, menu_buttons)
              == entry(209));
static_assert(offsetof(Seeder_pool_ids, seeder_settings_menu) == entry(212));
static_assert(offsetof(Seeder_pool_ids, seeder_settings_menu) + offsetof(Seeder_settings_menu_ids, menu_buttons)
              == entry(217));
static_assert(offsetof(Seeder_pool_ids, tank_settings) == entry(226));
static_assert(offsetof(Seeder_pool_ids, tank_preload) == entry(262));
static_assert(offsetof(Seeder_pool_ids, tank_preload) + offsetof(Tank_preload_ids, preload_time) == entry(266));
static_assert(offsetof(Seeder_pool_ids, actuator_drive) == entry(267));
static_assert(offsetof(Seeder_pool_ids, actuator_drive) + offsetof(Actuator_drive_ids, encoder_teeth) == entry(273));
static_assert(offsetof(Seeder_pool_ids, electric_drive) == entry(276));
static_assert(offsetof(Seeder_pool_ids, electric_drive) + offsetof(Electric_drive_ids, shaft_sensor) == entry(282));
static_assert(offsetof(Seeder_pool_ids, prop_valve_drive) == entry(299));
static_assert(offsetof(Seeder_pool_ids, prop_valve_drive) + offsetof(Prop_valve_drive_ids, tank_clutch) == entry(306));
static_assert(offsetof(Seeder_pool_ids, prop_valve_control) == entry(313));
static_assert(offsetof(Seeder_pool_ids, prop_valve_control) + offsetof(Prop_valve_control_ids, lists) == entry(320));
static_assert(offsetof(Seeder_pool_ids, liquid_prop_valve) == entry(327));
static_assert(offsetof(Seeder_pool_ids, liquid_prop_valve) + offsetof(Liquid_prop_valve_ids, pressure_sense)
              == entry(334));
static_assert(offsetof(Seeder_pool_ids, liquid_prop_valve_control) == entry(336));
static_assert(offsetof(Seeder_pool_ids, liquid_prop_valve_control) + offsetof(Liquid_prop_valve_control_ids, lists)
              == entry(343));
static_assert(offsetof(Seeder_pool_ids, liquid_reg_valve_control) == entry(350));
static_assert(offsetof(Seeder_pool_ids, liquid_reg_valve_control) + offsetof(Liquid_reg_valve_control_ids, tank_number)
              == entry(356));
static_assert(offsetof(Seeder_pool_ids, wheel_calibration) == entry(394));
static_assert(offsetof(Seeder_pool_ids, wheel_calibration_settings) == entry(410));
static_assert(offsetof(Seeder_pool_ids, width_and_speed) == entry(416));
static_assert(offsetof(Seeder_pool_ids, totals_history) == entry(430));
static_assert(offsetof(Seeder_pool_ids, shafts_history) == entry(443));
static_assert(offsetof(Seeder_pool_ids, fans_history) == entry(452));
static_assert(offsetof(Seeder_pool_ids, external_options) == entry(462));
static_assert(offsetof(Seeder_pool_ids, fan_settings) == entry(484));
static_assert(offsetof(Seeder_pool_ids, seeder_brand) == entry(503));
static_assert(offsetof(Seeder_pool_ids, seeder_brand) + offsetof(Seeder_brand_ids, brand_items) == entry(508));
static_assert(offsetof(Seeder_pool_ids, product_settings_menu) == entry(515));
static_assert(offsetof(Seeder_pool_ids, alarm_settings_menu) == entry(567));
static_assert(offsetof(Seeder_pool_ids, alarm_settings_menu) + offsetof(Alarm_settings_menu_ids, menu_buttons)
              == entry(571));
static_assert(offsetof(Seeder_pool_ids, alarm_settings_menu) + offsetof(Alarm_settings_menu_ids, rectangle)
              == entry(579));
static_assert(offsetof(Seeder_pool_ids, product_settings) == entry(580));
static_assert(offsetof(Seeder_pool_ids, tank_calibration) == entry(596));
static_assert(offsetof(Seeder_pool_ids, tank_calibration) + offsetof(Tank_calibration_ids, cal_style_key) == entry(601));
static_assert(offsetof(Seeder_pool_ids, tank_calibration) + offsetof(Tank_calibration_ids, key_slots) == entry(605));
static_assert(offsetof(Seeder_pool_ids, tank_calibration) + offsetof(Tank_calibration_ids, tank_number) == entry(609));
static_assert(offsetof(Seeder_pool_ids, area_test) == entry(631));
static_assert(offsetof(Seeder_pool_ids, fan_alarms) == entry(667));
static_assert(offsetof(Seeder_pool_ids, tank_alarms) == entry(679));
static_assert(offsetof(Seeder_pool_ids, shaft_alarms) == entry(699));
static_assert(offsetof(Seeder_pool_ids, other_alarms) == entry(715));
static_assert(offsetof(Seeder_pool_ids, other_alarms) + offsetof(Other_alarms_ids, lists) == entry(719));
static_assert(offsetof(Seeder_pool_ids, tank_motor_alarms) == entry(723));
static_assert(offsetof(Seeder_pool_ids, tank_gear_alarms) == entry(743));
static_assert(offsetof(Seeder_pool_ids, tank_pressure_alarms) == entry(759));
static_assert(offsetof(Seeder_pool_ids, no_flow_alarms) == entry(787));
static_assert(offsetof(Seeder_pool_ids, no_flow_alarms) + offsetof(No_flow_alarms_ids, lists) == entry(791));
static_assert(offsetof(Seeder_pool_ids, advanced_settings) == entry(800));
static_assert(offsetof(Seeder_pool_ids, confirm_factory_reset) == entry(803));
static_assert(offsetof(Seeder_pool_ids, factory_upgrade) == entry(806));
static_assert(offsetof(Seeder_pool_ids, blocked_head_settings) == entry(825));
static_assert(offsetof(Seeder_pool_ids, blocked_head_settings) + offsetof(Blocked_head_settings_ids, monitoring)
              == entry(829));
static_assert(offsetof(Seeder_pool_ids, multi_tank_cal1) == entry(842));
static_assert(offsetof(Seeder_pool_ids, multi_tank_cal2) == entry(931));
static_assert(offsetof(Seeder_pool_ids, multi_tank_cal3) == entry(973));
static_assert(offsetof(Seeder_pool_ids, tank_record_refs) == entry(1015));
static_assert(offsetof(Seeder_pool_ids, tank_records) == entry(1019));
static_assert(offsetof(Seeder_pool_ids, tank_record_count) == entry(1119));
static_assert(offsetof(Seeder_pool_ids, end) == entry(1120));
static_assert(offsetof(Seeder_pool_ids, tank_fill_more) == entry(1121));
static_assert(sizeof(Seeder_pool_ids) % sizeof(Seeder_pool_entry) == 0);

}
