#pragma once
#include <array>

// A language of a working set: two ISO 639 letters, such as "en".
using VtLanguageCode = std::array<char, 2>;
