#pragma once

namespace TC_client {

// Copies at most max bytes of text into out, without a terminator; the
// description counts a text's length in one byte, so only strlen mod 256
// bytes are ever taken. Returns the count.
int copy_designator_text(const char* text, char* out, int max);

}
