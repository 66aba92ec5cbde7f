#pragma once
// The printer and mail module. It exists for the whole run, created before the main
// window. Its text and mail operations come from TDM_DAT_Mail.

#include "output/dm_dat_mail.h"

namespace klw {

class TDM_DAT : public TDM_DAT_Mail {};

}  // namespace klw
