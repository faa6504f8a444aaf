// The display of the current family and member: how the window follows the families and members
// cursors of its browser.
#include "app/ui/MainWindow.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"
#include "ui_MainWindow.h"

#include <algorithm>

namespace rost {

namespace {

// The phones line wraps to as many lines as the member's phones take, and the e-mail line keeps
// its distance below it.
void showPhones(Ui::MainWindow &ui, const QString &phones)
{
    QLabel *line = ui.iPhonesEdit;
    line->setText(phones);
    line->resize(line->width(),
                 std::max(ui.iNameEdit->height(), line->heightForWidth(line->width())));
    const int gap = line->y() - (ui.iNameEdit->y() + ui.iNameEdit->height());
    const int below = line->y() + line->height() + gap;
    ui.EMailLabel->move(ui.EMailLabel->x(), below);
    ui.EMailEdit->move(ui.EMailEdit->x(), below);
}

} // namespace

void MainWindow::tbFamAfterScroll()
{
    GetFamInfo();
    GetFamilyMembers(1);
}

void MainWindow::GetFamInfo()
{
    const FamilyView family = m_browser.familyView();
    // A free-form address is shown as stored, and typing there changes it.
    if (family.intlAddress) {
        m_ui->AddEdit->bind(&m_browser.families(), fld::IntlAddress);
        return;
    }
    m_ui->AddEdit->unbind();
    m_ui->AddEdit->setLines(family.address);
}

void MainWindow::GetFamilyMembers(int position)
{
    QTabBar *tabs = m_ui->NamePages;
    m_rebuildingTabs = true;
    while (tabs->count() > 0)
        tabs->removeTab(0);
    const MemberTabs &members = m_browser.rebuildMemberTabs(position);
    tabs->setEnabled(members.enabled);
    for (const MemberTab &tab : members.tabs)
        tabs->addTab(tab.goesBy);
    if (members.selected >= 0)
        tabs->setCurrentIndex(members.selected);
    m_rebuildingTabs = false;
    GetIndInfo();
    m_ui->FindFamilyButton->setFocus();
}

void MainWindow::NamePagesChange(int index)
{
    if (m_rebuildingTabs || !isDirectoryOpen())
        return;
    if (!PostPendingEdits()) {
        // Kept editing: the tab of the member being edited stays selected.
        m_rebuildingTabs = true;
        m_ui->NamePages->setCurrentIndex(m_browser.memberTabs().selected);
        m_rebuildingTabs = false;
        return;
    }
    guarded(this, [&] {
        m_browser.selectMemberTab(index);
        GetIndInfo();
    });
}

void MainWindow::clearMemberDisplays()
{
    m_ui->iNameEdit->clear();
    showPhones(*m_ui, {});
}

void MainWindow::GetIndInfo()
{
    if (!isDirectoryOpen()) {
        clearMemberDisplays();
        return;
    }
    guarded(this, [this] {
        const MemberView member = m_browser.memberView();
        m_ui->iNameEdit->setText(member.nameLine);
        showPhones(*m_ui, member.phonesLine);
        m_ui->iNameEdit->setCursorPosition(0);
    });
}

} // namespace rost
