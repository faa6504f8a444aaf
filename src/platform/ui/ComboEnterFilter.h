#pragma once

#include <QObject>

class QComboBox;

namespace rost {

// Keeps Enter and Return typed into an editable combo box inside it. The box has already taken
// the text by then; left to travel on, the key would reach the dialog and press its default
// button, closing a dialog the member is still working in.
class ComboEnterFilter : public QObject
{
    Q_OBJECT
public:
    static void install(QComboBox *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

} // namespace rost
