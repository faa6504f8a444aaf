#include "browse/ui/FindFamilyDialog.h"

namespace rost {

FindFamilyDialog::FindFamilyDialog(QWidget *parent)
    : FindDialog({QStringLiteral("Find Family"),
                  QStringLiteral("Type in family name to view..."),
                  QStringLiteral("&Call family"),
                  QStringLiteral("CallFamilyButton"),
                  NameSearch::Kind::Families,
                  {{fld::FamilyName, 40, QStringLiteral("Family Name")}},
                  6},
                 parent)
{
    setObjectName(QStringLiteral("fdFamLookupForm"));
}

void FindFamilyDialog::takeChoice(const NameSearch &search)
{
    m_tag = search.chosenFamily();
}

} // namespace rost
