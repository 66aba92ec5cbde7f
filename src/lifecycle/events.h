#pragma once
// Which handler reacts to which control: the event table of the program. The window
// asks it for every focus-out, click and pick; tests use it to drive the sheet as the
// window would.

#include "sheet/tables.h"

namespace klw {

struct Context;

using Handler = void (*)(Context& c, ControlId sender);

// Leaving the field; nullptr when no handler is bound.
Handler exitHandler(ControlId field);
// Clicking the control (buttons, pictures).
Handler clickHandler(ControlId control);
// Picking an item from a choice's list.
Handler pickHandler(ControlId choice);

// Hooks the handlers that follow text changes of the sheet (Edit49Change).
void connectChangeHandlers(Context& c);

}  // namespace klw
