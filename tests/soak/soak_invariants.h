#pragma once

#include <string>

// What must hold after any user action, whatever came before: the layer list
// and every index into it, the tool code, the view and its pan, the selection
// polygon and every tattoo corner. Every action ends with the mouse buttons
// up, so no drag may go on either. Empty when all of it holds, otherwise a
// description of the first thing found broken.
std::string BrokenInvariant();
