#pragma once

#include "browse/ui/FindDialog.h"

namespace rost {

// "Find Individual": all individuals by last name and goes-by name; the search box shows and
// searches every letter in upper case. An accepted dialog leaves the chosen person in Found().
class FindIndividualDialog : public FindDialog
{
    Q_OBJECT

public:
    explicit FindIndividualDialog(QWidget *parent = nullptr);

    // The person chosen last; kept between finds.
    const FoundIndividual &Found() const { return m_found; }

protected:
    void takeChoice(const NameSearch &search) override;

private:
    FoundIndividual m_found;
};

} // namespace rost
