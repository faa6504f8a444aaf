#include "directory/DirectorySetup.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"

namespace rost {

void readDirectorySetup(Cursor &tbSetup, DirectorySetup &setup)
{
    tbSetup.first();
    if (!tbSetup.hasRow()) {
        setup.UseOffices = setup.UseTalents = setup.UseActivities = false;
        setup.UseUser1 = setup.UseUser2 = false;
        return;
    }
    setup.UseOffices = tbSetup.boolean(fld::UseOffices);
    setup.UseTalents = tbSetup.boolean(fld::UseTalents);
    setup.UseActivities = tbSetup.boolean(fld::UseActivities);
    setup.UseUser1 = tbSetup.boolean(fld::UseUser1);
    setup.UseUser2 = tbSetup.boolean(fld::UseUser2);
    if (setup.UseUser1)
        setup.User1Name = tbSetup.text(fld::User1Name).left(20);
    if (setup.UseUser2)
        setup.User2Name = tbSetup.text(fld::User2Name).left(20);
}

} // namespace rost
