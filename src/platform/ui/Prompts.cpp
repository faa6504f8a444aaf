#include "platform/ui/Prompts.h"

#include "directory/RostError.h"
#include "platform/render/PrintSession.h"
#include "platform/ui/FontChooserDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

#include <exception>

namespace rost {

namespace {

Prompts *&installed()
{
    static Prompts *p = nullptr;
    return p;
}

QString shownText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Prompts &Prompts::instance()
{
    static Prompts real;
    return installed() ? *installed() : real;
}

void Prompts::install(Prompts *p)
{
    installed() = p;
}

QMessageBox::StandardButton Prompts::message(QWidget *parent, MessageKind kind,
                                             const QString &title, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton,
                                             const QString &informative)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    case MessageKind::Plain:
        break;
    }
    QMessageBox box(icon, title, shownText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (!informative.isEmpty())
        box.setInformativeText(shownText(informative));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

int Prompts::choose(QWidget *parent, const QString &title, const QString &text,
                    const QStringList &choices, int defaultChoice)
{
    QMessageBox box(QMessageBox::Question, title, shownText(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> buttons;
    for (const QString &choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons[defaultChoice]));
        box.setEscapeButton(buttons[defaultChoice]);
    }
    box.exec();
    const int chosen = int(buttons.indexOf(box.clickedButton()));
    return chosen < 0 ? defaultChoice : chosen;
}

QString Prompts::openFile(QWidget *parent, const QString &title, const QString &folder,
                          const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString Prompts::saveFile(QWidget *parent, const QString &title, const QString &suggested,
                          const QString &filter, bool confirmReplace)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter, nullptr,
                                        confirmReplace ? QFileDialog::Options()
                                                       : QFileDialog::DontConfirmOverwrite);
}

std::optional<QFont> Prompts::chooseFont(QWidget *parent, const QFont &initial, bool)
{
    FontChooserDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenFont();
}

bool Prompts::printerSetup(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    // Nothing is printed from here: the choice is only kept for the jobs that follow.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>(QString(), Qt::FindDirectChildrenOnly))
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QCoreApplication::translate("Prompts", "Use this printer"));
    return dialog.exec() == QDialog::Accepted;
}

bool Prompts::printersInstalled()
{
    return PrintSession::systemHasPrinter();
}

void Prompts::openDocument(QWidget *parent, const QString &path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        showError(
            parent,
            QStringLiteral("The file %1 could not be opened.").arg(QDir::toNativeSeparators(path)));
}

QString applicationTitle()
{
    return QStringLiteral("Rostella " ROST_VERSION);
}

QString errorDisplayText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void showError(QWidget *parent, const QString &text)
{
    Prompts::instance().message(parent, MessageKind::Error, applicationTitle(),
                                errorDisplayText(text));
}

void showWarnings(QWidget *parent, const QStringList &warnings)
{
    if (!warnings.isEmpty())
        Prompts::instance().message(parent, MessageKind::Warning, applicationTitle(),
                                    warnings.join(QLatin1Char('\n')));
}

bool confirmDiscard(QWidget *parent, const QStringList &changes)
{
    return Prompts::instance().message(parent, MessageKind::Confirmation, QStringLiteral("Confirm"),
                                       QStringLiteral("Discard the change you typed?"),
                                       QMessageBox::Discard | QMessageBox::Cancel,
                                       QMessageBox::Cancel,
                                       changes.join(QLatin1Char('\r'))) == QMessageBox::Discard;
}

bool guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const RostError &e) {
        showError(parent, e.text());
    } catch (const std::exception &e) {
        showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace rost
