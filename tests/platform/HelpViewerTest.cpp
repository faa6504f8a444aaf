#include "platform/ui/HelpViewer.h"

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace rost;

namespace {

QPushButton *buttonNamed(const QWidget &window, const QString &text)
{
    for (QPushButton *b : window.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    qFatal("no button %s", qPrintable(text));
}

// A click that comes from the window system, as the user's does: a window blocked by a modal
// dialog never sees it.
void clickThroughWindow(QWidget *button)
{
    QWidget *window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
}

} // namespace

class HelpViewerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indexReadsEachEntryOnce()
    {
        const std::vector<HelpViewer::Topic> topics{
            {1, QStringLiteral("Alpha"), {QStringLiteral("alpha"), QStringLiteral("shared")}},
            {2, QStringLiteral("Beta"), {QStringLiteral("Shared"), QStringLiteral("own")}},
        };
        QStringList read;
        QList<int> topicOf;
        for (const auto &e : HelpViewer::indexOf(topics)) {
            read << e.keyword;
            topicOf << e.topic;
        }
        // A topic's keyword that repeats its title is listed once; a text two topics share
        // names the topic it leads to.
        QCOMPARE(read, (QStringList{"Alpha", "Beta", "own", "shared (Alpha)", "Shared (Beta)"}));
        QCOMPARE(topicOf, (QList<int>{1, 2, 2, 1, 2}));

        QSet<QString> seen;
        for (const auto &e : HelpViewer::indexOf(HelpViewer::topics())) {
            const QString folded = e.keyword.toCaseFolded();
            QVERIFY2(!seen.contains(folded), qPrintable(e.keyword));
            seen.insert(folded);
        }
    }

    // Every page's links lead to a page the help holds, the contents lead to every page, and
    // every dialog's topic is there.
    void pagesLinkToPagesThatExist()
    {
        for (int topic : {20, 21, 22, 23})
            QVERIFY2(HelpViewer::hasTopic(topic), qPrintable(QString::number(topic)));
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        QStringList pages{QStringLiteral("contents")};
        for (const auto &t : HelpViewer::topics())
            pages << QString::number(t.number);
        QSet<int> inContents;
        for (const QString &name : std::as_const(pages)) {
            QFile page(QStringLiteral(":/help/%1.html").arg(name));
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(page.readAll());
            for (const auto &m : link.globalMatch(html)) {
                const QString target = m.captured(1);
                bool ok = false;
                const int number = QString(target).remove(QStringLiteral(".html")).toInt(&ok);
                QVERIFY2(target == QLatin1String("contents.html") ||
                             (ok && HelpViewer::hasTopic(number)),
                         qPrintable(QStringLiteral("%1 -> %2").arg(name, target)));
                if (ok && name == QLatin1String("contents"))
                    inContents.insert(number);
            }
        }
        for (const auto &t : HelpViewer::topics())
            QVERIFY2(inContents.contains(t.number), qPrintable(QString::number(t.number)));
    }

    void besideTheAsker_data()
    {
        QTest::addColumn<QRect>("asker");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");
        const QSize help(400, 300);
        QTest::newRow("right") << QRect(100, 50, 300, 200) << help << QRect(400, 50, 400, 300);
        QTest::newRow("left") << QRect(500, 50, 300, 200) << help << QRect(100, 50, 400, 300);
        QTest::newRow("neither: at the screen's right edge")
            << QRect(300, 50, 400, 200) << help << QRect(600, 50, 400, 300);
        QTest::newRow("low asker: raised into the screen")
            << QRect(0, 600, 300, 100) << help << QRect(300, 500, 400, 300);
        QTest::newRow("above the screen")
            << QRect(0, -40, 300, 100) << help << QRect(300, 0, 400, 300);
        QTest::newRow("larger than the screen")
            << QRect(0, 0, 300, 100) << QSize(1200, 900) << QRect(0, 0, 1000, 800);
    }

    void besideTheAsker()
    {
        QFETCH(QRect, asker);
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        const QRect screen(0, 0, 1000, 800);
        const QRect placed = HelpViewer::besideRect(asker, size, screen);
        QCOMPARE(placed, expected);
        QVERIFY(screen.contains(placed));
    }

    // Help opened from the main window, then a modal dialog: the viewer follows the dialog and
    // takes clicks, F1 and the Help button show the dialog's topic, and when the dialog closes
    // the viewer stays open with the owner until Escape.
    void usableWhileAModalDialogIsOpen()
    {
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        showHelpTopic(&owner, 5);
        QPointer<HelpViewer> viewer = HelpViewer::instance(&owner);
        QVERIFY(viewer->isVisible());

        QDialog dialog(&owner);
        auto *helpButton = new QPushButton(QStringLiteral("Help"), &dialog);
        installHelp(&dialog, 6, helpButton);
        bool ran = false;
        QTimer::singleShot(0, &dialog, [&] {
            const auto close = qScopeGuard([&] { dialog.accept(); });
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QTRY_COMPARE(viewer->parentWidget(), &dialog);
            QVERIFY(QTest::qWaitForWindowExposed(viewer));
            clickThroughWindow(buttonNamed(*viewer, QStringLiteral("&Contents")));
            QCOMPARE(viewer->shownTopic(), 0);

            // A window counts as active while its help window has the focus; F1 needs the
            // dialog's own focus.
            dialog.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &dialog);
            QTest::keyClick(&dialog, Qt::Key_F1);
            QCOMPARE(viewer->shownTopic(), 6);
            QCOMPARE(viewer->windowTitle(), QStringLiteral("Rostella Help - Finding a family"));
            QVERIFY(QTest::qWaitForWindowExposed(viewer));
            clickThroughWindow(buttonNamed(*viewer, QStringLiteral("&Contents")));
            QCOMPARE(viewer->shownTopic(), 0);
            helpButton->click();
            QCOMPARE(viewer->shownTopic(), 6);
            ran = true;
        });
        dialog.exec();
        QVERIFY(ran);

        QVERIFY(viewer);
        QTRY_VERIFY(viewer->isVisible());
        QCOMPARE(viewer->parentWidget(), &owner);
        QCOMPARE(viewer->shownTopic(), 6);
        viewer->windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), viewer->windowHandle());
        QTest::keyClick(viewer, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
