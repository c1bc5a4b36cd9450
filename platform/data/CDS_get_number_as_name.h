#pragma once

namespace CDS {

// The decimal text of n (0 to 255), kept for the life of the program: the
// names of the elements of arrays.
const char* get_number_as_name(unsigned int n);

}
