// Not a test program: a build of this file must fail, because a handler names a field and a
// control that the sheet does not have. The CTest entry misspelt_names_do_not_compile checks
// that the compiler stops at the name check (and not at anything else in here).
#include "sheet/context.h"

void handler(klw::Context& c)
{
    c.sheet.setText("f_liga", "A1-Liga");  // a real field compiles
    c.sheet.setText("f_ligaa", "A1-Liga");
    c.focus.setFocus("bt_pdff");
}
