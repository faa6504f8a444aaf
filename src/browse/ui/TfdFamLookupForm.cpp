#include "browse/ui/TfdFamLookupForm.h"

namespace rost {

TfdFamLookupForm::TfdFamLookupForm(QWidget *parent)
    : LookupDialog({QStringLiteral("Find Family"),
                    QStringLiteral("Type in family name to view..."),
                    QStringLiteral("&Call family"),
                    NameSearch::Kind::Families,
                    {{QLatin1String(fld::FamilyName), 40, QStringLiteral("Family Name")}},
                    6},
                   parent)
{
    setObjectName(QStringLiteral("fdFamLookupForm"));
}

void TfdFamLookupForm::takeChoice(const NameSearch &search)
{
    m_tag = search.chosenFamily();
}

} // namespace rost
