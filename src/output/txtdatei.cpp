#include "output/txtdatei.h"

namespace klw {

// The result record and its mail are not written yet; printing goes on as without the option.
void TxtDateiErstellen(Context&) {}

}  // namespace klw
