#pragma once
#include "ui/screens/Screen_objects.h"

class Screen;
class Stat_string;

namespace VT {
class Container_obj;
}

// What the three steps of calibrating several tanks at once share: which of
// tanks 1 to 4 take part, and how a row names its tank.
namespace Multi_tank_cal {

// The length the rows' name fields are bound with.
constexpr int name_length = 200;

// Tank t (0 to 3) takes part when it is in use, granular and has a product.
bool takes_part(const Screen_objects& objects, int tank);
// Shows the tank's row only when it takes part, with its name: without
// surrounding blanks, and "......." when nothing is left.
void show_row(const Screen& screen, const Screen_objects& objects, int tank, VT::Container_obj* row,
              Stat_string& name);

}
