#include "directory/DirectorySetup.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"

namespace rost {

void readDirectorySetup(Cursor &tbSetup, DirectorySetup &setup)
{
    tbSetup.first();
    if (!tbSetup.hasRow())
        return;
    setup.UseOffices = tbSetup.boolean(QLatin1String(fld::UseOffices));
    setup.UseTalents = tbSetup.boolean(QLatin1String(fld::UseTalents));
    setup.UseActivities = tbSetup.boolean(QLatin1String(fld::UseActivities));
    setup.UseUser1 = tbSetup.boolean(QLatin1String(fld::UseUser1));
    setup.UseUser2 = tbSetup.boolean(QLatin1String(fld::UseUser2));
    if (setup.UseUser1)
        setup.User1Name = tbSetup.text(QLatin1String(fld::User1Name)).left(20);
    if (setup.UseUser2)
        setup.User2Name = tbSetup.text(QLatin1String(fld::User2Name)).left(20);
}

} // namespace rost
