#pragma once

#include "book/BookLayout.h"
#include "lists/ListMaker.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PrintDirectoryDialog;
}

namespace rost {

class DialogLauncher;
class ProgramContext;
class RostConnection;
struct DirectorySetup;

// "Print Directory": the church directory as a book, every household or those of a Make Lists
// list, on the printer, in the preview or into a PDF file through the report's output options.
// Every choice is remembered in the program's settings for the next time.
class PrintDirectoryDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 30;

    PrintDirectoryDialog(RostConnection &connection, const DirectorySetup &setup,
                         ProgramContext &context, DialogLauncher &launcher,
                         QWidget *parent = nullptr);
    ~PrintDirectoryDialog() override;

    // The choices as the widgets hold them; the title picture is the file's name, not its bytes.
    BookOptions chosenOptions() const;
    QString picturePath() const;

    void PrintButtonClick();
    void PictureButtonClick();

private:
    void loadChoices();
    void saveChoices() const;
    void kindChanged(const QString &kind);
    void householdsChanged();
    bool readTitlePicture(BookOptions &options);

    std::unique_ptr<Ui::PrintDirectoryDialog> m_ui;
    RostConnection &m_connection;
    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    ListMaker m_lists;
    QStringList m_leftOut;
};

} // namespace rost
