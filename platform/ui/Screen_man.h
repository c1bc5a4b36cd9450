#pragma once
#include <map>
#include <string>
#include <vector>

class Screen;
class Units_man;

namespace UI {
class User_interface;
}

// The screens of a user interface by key, the one shown and the ones shown
// before it. Used on the UI's task.
class Screen_man {
public:
    explicit Screen_man(UI::User_interface& ui);
    // Deletes the alarm screens, which the library owns, and leaves the other
    // screens without a manager.
    ~Screen_man();
    Screen_man(const Screen_man&) = delete;
    Screen_man& operator=(const Screen_man&) = delete;

    // Null when no screen has the key.
    Screen* find_screen(const char* key) const;
    // Deactivates the shown screen, keeps it in the history and activates the
    // target. The shown screen itself is deactivated and activated again,
    // and the history does not grow. False for an unknown or refusing screen.
    bool switch_to_screen(const char* key);
    bool switch_to_screen(Screen* screen);
    // Leaves the shown screen for the one n switches back (the oldest when
    // fewer were made); false when there is none.
    bool back_screen(int n);
    // Drops a screen that is not shown from the history; false when it is
    // shown or in no history. The flag is accepted for the callers' sake only.
    bool remove_screen(Screen* screen, bool flag);

    Screen* get_current_screen() const { return current_; }
    const std::vector<Screen*>& get_history() const { return history_; }
    // Every screen, in the order they registered.
    const std::vector<Screen*>& get_screens() const { return screens_; }
    // Null when the interface has none.
    Units_man* get_units_man() const { return units_; }
    void set_units_man(Units_man* units) { units_ = units; }
    UI::User_interface& get_ui() const { return ui_; }

private:
    friend class Screen;
    void add_screen(Screen* screen);
    void remove(Screen* screen);
    void show(Screen* screen);
    void hide(Screen* screen);

    UI::User_interface& ui_;
    std::vector<Screen*> screens_;
    std::map<std::string, Screen*> keys_;
    std::vector<Screen*> history_;
    Screen* current_ = nullptr;
    Units_man* units_ = nullptr;
};
