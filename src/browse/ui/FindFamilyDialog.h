#pragma once

#include "browse/ui/FindDialog.h"

namespace rost {

// "Find Family": all families in family-name order; an accepted dialog leaves the chosen
// family's number in Tag().
class FindFamilyDialog : public FindDialog
{
    Q_OBJECT

public:
    explicit FindFamilyDialog(QWidget *parent = nullptr);

    // "Family ID Num" of the family chosen last; kept between finds.
    FamilyId Tag() const { return m_tag; }

protected:
    void takeChoice(const NameSearch &search) override;

private:
    FamilyId m_tag = 0;
};

} // namespace rost
