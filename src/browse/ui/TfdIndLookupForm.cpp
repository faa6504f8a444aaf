#include "browse/ui/TfdIndLookupForm.h"

#include "browse/FoundPerson.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/GridView.h"

#include <QLineEdit>
#include <QValidator>

namespace rost {

namespace {

// Turns every letter into upper case as it is typed or pasted.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

TfdIndLookupForm::TfdIndLookupForm(QWidget *parent)
    : LookupDialog({QStringLiteral("Find Individual"),
                    QStringLiteral("Type name of individual to view..."),
                    QStringLiteral("&Call individual"),
                    QLatin1String(tbl::Individuals),
                    QLatin1String(idx::LastNameAndGoesByOrder),
                    {{QLatin1String(fld::LastName), 20, QStringLiteral("Last Name")},
                     {QLatin1String(fld::GoesBy), 20, QStringLiteral("Goes By")},
                     {QLatin1String(fld::Title), 10, QStringLiteral("Title")}},
                    7},
                   parent)
{
    setObjectName(QStringLiteral("fdIndLookupForm"));
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    searchEdit()->setValidator(new UpperCaseValidator(searchEdit()));
    namesList()->setBoldTitles(true);
}

void TfdIndLookupForm::takeChoice(const Cursor &cursor)
{
    FoundNameID = qint16(cursor.integer(QLatin1String(fld::IndivIdNum)));
    FoundFamID = qint16(cursor.integer(QLatin1String(fld::FamilyIdNum)));
    FoundRank = qint16(cursor.integer(QLatin1String(fld::FamilyRankOrder)));
}

} // namespace rost
