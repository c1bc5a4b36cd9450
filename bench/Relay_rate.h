#pragma once
#include <cstddef>

// Frames per second that a CAN server on the port relays from one raw-mode
// client to another; 0 when the clients cannot connect or frames are lost.
// The sender keeps a bounded number of frames ahead of the receiver, as a
// bus would, so that the server never drops a slow client.
double relay_rate(int port, size_t frames);

// The same through a lean relay of this program: one thread that turns the
// sends of one read into frames and writes them to the other client at once.
double lean_relay_rate(size_t frames);
