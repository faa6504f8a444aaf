#include "browse/ui/TfdFamLookupForm.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"

namespace rost {

TfdFamLookupForm::TfdFamLookupForm(QWidget *parent)
    : LookupDialog({QStringLiteral("Find Family"),
                    QStringLiteral("Type in family name to view..."),
                    QStringLiteral("&Call family"),
                    QLatin1String(tbl::Families),
                    QLatin1String(idx::FamilyNameOrder),
                    {{QLatin1String(fld::FamilyName), 40, QStringLiteral("Family Name")}},
                    6},
                   parent)
{
    setObjectName(QStringLiteral("fdFamLookupForm"));
}

void TfdFamLookupForm::takeChoice(const Cursor &cursor)
{
    m_tag = int(cursor.integer(QLatin1String(fld::FamilyIdNum)));
}

} // namespace rost
