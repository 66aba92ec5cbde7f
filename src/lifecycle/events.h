#pragma once
// Which handler reacts to which control: the event table of the program. The window
// asks it for every focus-out, click and pick; tests use it to drive the sheet as the
// window would.

#include <QString>

namespace klw {

struct Context;

using Handler = void (*)(Context& c, const QString& sender);

// Leaving the field; nullptr when no handler is bound.
Handler exitHandler(const QString& field);
// Clicking the control (buttons, pictures).
Handler clickHandler(const QString& control);
// Picking an item from a choice's list.
Handler pickHandler(const QString& choice);

// Hooks the handlers that follow text changes of the sheet (Edit49Change).
void connectChangeHandlers(Context& c);

}  // namespace klw
