#include "import/MemberFailure.h"

namespace rost {

QString memberWarningText(const QString &storedName, int errorCode)
{
    return QStringLiteral("Can't open ") + storedName + QLatin1Char('\r') +
           QStringLiteral("Error Code : ") + QString::number(errorCode);
}

QString memberWarningText(const MemberFailure &failure)
{
    return memberWarningText(failure.storedName, failure.errorCode);
}

} // namespace rost
