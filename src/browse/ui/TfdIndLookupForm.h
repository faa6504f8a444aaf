#pragma once

#include "browse/ui/LookupDialog.h"

namespace rost {

// "Find Individual": all individuals by last name and goes-by name; the search box shows and
// searches every letter in upper case. An accepted dialog leaves the chosen person in
// FoundFamID, FoundNameID and FoundRank (browse/FoundPerson.h).
class TfdIndLookupForm : public LookupDialog
{
    Q_OBJECT

public:
    explicit TfdIndLookupForm(QWidget *parent = nullptr);

    void CallIndividualButtonClick() { CallButtonClick(); }

protected:
    void takeChoice(const Cursor &cursor) override;
};

} // namespace rost
