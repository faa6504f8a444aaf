// The display of the current family and member: how the window follows tbFam and tbInd.
#include "app/FamilyDisplay.h"
#include "app/ui/RostMain.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"
#include "ui_RostMain.h"

#include <exception>

namespace rost {

qint64 TRostMainForm::memberId(int slot) const
{
    if (slot < 1 || slot > MemberSlots)
        return -1;
    return MemberIds[size_t(slot - 1)];
}

void TRostMainForm::tbFamAfterScroll()
{
    GetFamInfo();
    GetFamilyMembers(1);
}

void TRostMainForm::GetFamInfo()
{
    if (!tbFam.isOpen()) {
        ui->AddEdit->unbind();
        ui->AddEdit->setLines({});
        return;
    }
    const DisplayedAddress address = FamilyDisplay::displayedAddress(tbFam);
    // A free-form address is shown as stored, and typing there changes it.
    if (!address.IntlAddress.isEmpty()) {
        ui->AddEdit->bind(&tbFam, QLatin1String(fld::IntlAddress));
        return;
    }
    ui->AddEdit->unbind();
    ui->AddEdit->setLines(FamilyDisplay::composedAddress(address));
}

void TRostMainForm::GetFamilyMembers(int position)
{
    QTabBar *tabs = ui->NamePages;
    m_rebuildingTabs = true;
    // A failure while the tabs are rebuilt only leaves them incomplete; the member lines below
    // still show whatever member tbInd stands on.
    try {
        while (tabs->count() > 0)
            tabs->removeTab(0);
        tbInd.setCountMode(CountMode::RespectWhenCounting);
        if (tbInd.recordCount() <= 0) {
            tabs->setEnabled(false);
        } else {
            tabs->setEnabled(true);
            MemberIds.fill(-1);
            const std::vector<MemberTab> members = FamilyDisplay::memberTabs(tbFam, tbInd);
            for (size_t i = 0; i < members.size(); ++i) {
                tabs->addTab(members[i].GoesBy);
                MemberIds[i] = members[i].IndivId;
            }
            // Asked for a tab the family does not have (a rank past its last member, or ranks
            // with gaps), the first member is shown rather than whoever the walk ended on.
            int slot = position;
            if (slot < 1 || slot > int(members.size()))
                slot = 1;
            if (!members.empty()) {
                tabs->setCurrentIndex(slot - 1);
                tbInd.locate(QLatin1String(fld::IndivIdNum), MemberIds[size_t(slot - 1)]);
            }
        }
    } catch (const std::exception &) {
    }
    m_rebuildingTabs = false;
    if (tbInd.isOpen())
        tbInd.setCountMode(CountMode::IgnoreWhenCounting);
    GetIndInfo();
    ui->FindFamilyButton->setFocus();
}

void TRostMainForm::NamePagesChange(int index)
{
    if (m_rebuildingTabs || index < 0 || index >= MemberSlots || !tbInd.isOpen())
        return;
    guarded(this, [&] {
        tbInd.locate(QLatin1String(fld::IndivIdNum), MemberIds[size_t(index)]);
        GetIndInfo();
    });
}

void TRostMainForm::clearMemberDisplays()
{
    ui->iNameEdit->clear();
    ui->iPhonesEdit->clear();
}

void TRostMainForm::GetIndInfo()
{
    if (!tbInd.isOpen()) {
        clearMemberDisplays();
        return;
    }
    guarded(this, [this] {
        const MemberLineFields member = FamilyDisplay::memberFields(tbInd);
        ui->iNameEdit->setText(FamilyDisplay::nameLine(member));
        ui->iPhonesEdit->setText(FamilyDisplay::phonesLine(member));
        ui->iNameEdit->setCursorPosition(0);
        ui->iPhonesEdit->setCursorPosition(0);
    });
}

} // namespace rost
