#include "browse/ui/FindIndividualDialog.h"

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
        input = NameSearch::typedText(NameSearch::Kind::Individuals, input);
        return Acceptable;
    }
};

} // namespace

FindIndividualDialog::FindIndividualDialog(QWidget *parent)
    : FindDialog({QStringLiteral("Find Individual"),
                  QStringLiteral("Type name of individual to view..."),
                  QStringLiteral("&Call individual"),
                  QStringLiteral("CallIndividualButton"),
                  NameSearch::Kind::Individuals,
                  {{fld::LastName, 20, QStringLiteral("Last Name")},
                   {fld::GoesBy, 20, QStringLiteral("Goes By")},
                   {fld::Title, 10, QStringLiteral("Title")}},
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

void FindIndividualDialog::takeChoice(const NameSearch &search)
{
    m_found = search.chosenIndividual();
}

} // namespace rost
