#pragma once
// The printer and mail module. It exists for the whole run, created before the main
// window. Its operations (PDF printer search and print, ReplaceStr, mail) come with the
// output of the report; until then it holds nothing.

namespace klw {

class TDM_DAT {};

}  // namespace klw
