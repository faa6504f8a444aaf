#include "browse/ui/TfdIndLookupForm.h"

#include "platform/ui/CursorGridView.h"

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

TfdIndLookupForm::TfdIndLookupForm(QWidget *parent)
    : LookupDialog({QStringLiteral("Find Individual"),
                    QStringLiteral("Type name of individual to view..."),
                    QStringLiteral("&Call individual"),
                    NameSearch::Kind::Individuals,
                    {QStringLiteral("Last Name\t20\tLast Name"),
                     QStringLiteral("Goes By\t20\tGoes By"), QStringLiteral("Title\t10\tTitle")},
                    7},
                   parent)
{
    setObjectName(QStringLiteral("fdIndLookupForm"));
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    // The widths in characters are measured in the dialog's own type.
    namesList()->setColumns(namesList()->gridModel()->columns());
    searchEdit()->setValidator(new UpperCaseValidator(searchEdit()));
    namesList()->setBoldTitles(true);
}

void TfdIndLookupForm::takeChoice(const NameSearch &search)
{
    m_found = search.chosenIndividual();
}

} // namespace rost
