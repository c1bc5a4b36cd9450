#pragma once

namespace TC_client {

// How many of an array's size entries a count parameter asks to describe:
// the parameter's value, or the size when it asks for more, with one debug
// line naming the parameter and its value. The parameters come from the
// parameter file and the remote data store, so a bad count must not stop
// the controller.
int bounded_count(const char* parameter, int value, int size);

}
