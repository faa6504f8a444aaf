#pragma once

namespace rost {

class TRostMainForm;
class TfdFamLookupForm;
class TfdIndLookupForm;

// Gives the main window every dialog it opens: the two find dialogs made at start-up and kept,
// and the dialogs made for one use each.
void installMainFormHooks(TRostMainForm &window, TfdIndLookupForm &findIndividual,
                          TfdFamLookupForm &findFamily);

} // namespace rost
