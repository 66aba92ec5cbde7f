#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

void DoppelSpiel(Context& c)
{
    for (FieldId control : kDoublesControls)
        c.sheet.setVisible(control, c.sheet.MitDoppel);
}

}  // namespace klw
