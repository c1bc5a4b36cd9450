#pragma once
#include "ui/screens/Screen_objects.h"

#include <string>

// What the three steps of calibrating several tanks at once share: which of
// tanks 1 to 4 take part, and how a row names its tank.
namespace Multi_tank_cal {

// Tank t (0 to 3) takes part when it is in use, granular and has a product.
bool takes_part(const Screen_objects& objects, int tank);
// The tank's name as the rows show it: without surrounding blanks, and
// "......." when nothing is left.
std::string row_name(const Screen_objects& objects, int tank);

}
