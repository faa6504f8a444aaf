#pragma once

#include "browse/ui/LookupDialog.h"

namespace rost {

// "Find Family": all families in family-name order; an accepted dialog leaves the chosen
// family's number in Tag().
class TfdFamLookupForm : public LookupDialog
{
    Q_OBJECT

public:
    explicit TfdFamLookupForm(QWidget *parent = nullptr);

    // "Family ID Num" of the family chosen last; kept between finds.
    FamilyId Tag() const { return m_tag; }

protected:
    void takeChoice(const NameSearch &search) override;

private:
    FamilyId m_tag = 0;
};

} // namespace rost
