#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSplitter;
class QTextBrowser;

namespace rost {

// The program's help: numbered topics (HTML pages compiled into the program), a contents page and
// a keyword index. One viewer window serves the whole program and stays open beside it.
//
// A modal dialog blocks every window that is not its own, so the viewer is always a window of
// the modal dialog that is open (the one that asked, or one that opened while help was shown):
// there it scrolls, follows links and searches. When that dialog hides, the viewer moves on to
// the dialog's own owner window, so it outlives the dialog and still closes with the program.
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

    struct IndexEntry
    {
        QString keyword;
        int topic = 0;
    };

    // Every topic the help holds, by number.
    static const std::vector<Topic> &topics();
    static bool hasTopic(int number);
    // The keyword index of topics: each title and keyword once per topic, sorted. A text that
    // several topics share is qualified with each topic's title, so no two entries read alike.
    static std::vector<IndexEntry> indexOf(const std::vector<Topic> &topics);
    // Where a window of size goes beside the asker's frame: to its right, else to its left, else
    // as far right as it fits; always inside screen, and no larger than it.
    static QRect besideRect(const QRect &asker, const QSize &size, const QRect &screen);
    // The viewer of the program, made on first use, as a window of the modal dialog that is
    // open or else of the asker's window. It opens beside the asker.
    static HelpViewer *instance(QWidget *asker);

    void showTopic(int number);
    void showContents();
    // Opens the keyword index with text in its search box (empty: the whole index).
    void showSearch(const QString &text = {});

    // What the viewer shows: the topic number (0 for the contents page, -1 for a missing topic).
    int shownTopic() const { return m_shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit HelpViewer(QWidget *host);
    void adopt(QWidget *host);
    void followModalDialog();
    void present();
    void showTitle(const QString &topicTitle);
    void filterIndex(const QString &text);
    void openIndexEntry(QListWidgetItem *item);
    void followLink(const QUrl &url);

    QTextBrowser *m_browser = nullptr;
    QWidget *m_searchPanel = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QListWidget *m_index = nullptr;
    // The window that asked last; the viewer opens beside it.
    QPointer<QWidget> m_asker;
    int m_shown = 0;
};

void showHelpTopic(QWidget *parent, int topic);
// F1 anywhere in window shows topic, and so does its help button when it has one.
void installHelp(QWidget *window, int topic, QAbstractButton *helpButton = nullptr);
// F1 shows the topic topicNow gives at the moment of the key, for a window whose controls carry
// topics of their own.
void installHelpKey(QWidget *window, std::function<int()> topicNow);
void showHelpContents(QWidget *parent);
// The keyword search with an empty search text.
void showHelpSearch(QWidget *parent);

} // namespace rost
