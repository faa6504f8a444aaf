#include "import/MemberFailure.h"

namespace rost {

QString memberWarningText(const QString &storedName, int errorCode)
{
    return QStringLiteral("Can't open ") + storedName + QLatin1Char('\r') +
           QStringLiteral("Error Code : ") + QString::number(errorCode);
}

QString memberWarningText(const MemberFailure &failure)
{
    QString text = memberWarningText(failure.storedName, failure.errorCode);
    if (!failure.refusal.isEmpty())
        text += QStringLiteral("\rReason: ") + failure.refusal + QLatin1Char('\r') + failure.kept;
    return text;
}

} // namespace rost
