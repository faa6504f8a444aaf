#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSplitter;
class QTextBrowser;

namespace rost {

// The program's help: numbered topics (HTML pages compiled into the program), a contents page and
// a keyword index. One viewer window serves the whole program and stays open beside it.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    struct Topic
    {
        int number = 0;
        QString title;
        QStringList keywords;
    };

    // Every topic the help holds, by number.
    static const std::vector<Topic> &topics();
    static bool hasTopic(int number);
    // The viewer of the program, made (as a window owned by parent) on first use.
    static HelpViewer *instance(QWidget *parent);

    void showTopic(int number);
    void showContents();
    // Opens the keyword index with text in its search box (empty: the whole index).
    void showSearch(const QString &text = {});

    // What the viewer shows: the topic number (0 for the contents page, -1 for a missing topic).
    int shownTopic() const { return m_shown; }

private:
    explicit HelpViewer(QWidget *parent);
    void present();
    void filterIndex(const QString &text);
    void openIndexEntry(QListWidgetItem *item);
    void followLink(const QUrl &url);

    QTextBrowser *m_browser = nullptr;
    QWidget *m_searchPanel = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QListWidget *m_index = nullptr;
    int m_shown = 0;
};

void showHelpTopic(QWidget *parent, int topic);
void showHelpContents(QWidget *parent);
// The keyword search with an empty search text.
void showHelpSearch(QWidget *parent);

} // namespace rost
