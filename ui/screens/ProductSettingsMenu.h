#pragma once
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <memory>

namespace VT {
class Output_string_obj;
}

// The 16 products, each a button with its name and its tank, that opens the
// product settings of that product; and keys to the other screens.
class ProductSettingsMenu : public Data_screen {
public:
    static constexpr int product_count = 16;

    ProductSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Follows the 16 products and shows their lines.
    void post_snapshot_init() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);

private:
    // Writes each product's name and tank into its button.
    void show_products();
    void set_text(VT::Output_string_obj* line, const char* text);

    const Screen_objects objects_;
    std::array<std::unique_ptr<NV_store::Virt_listener<ProductSettingsMenu>>, product_count> product_listeners_;
    std::array<VT::Output_string_obj*, product_count> name_lines_{};
    std::array<VT::Output_string_obj*, product_count> tank_lines_{};
    Screen_links<3> links_;
    std::array<Window::Activator, product_count> product_buttons_;
};
