#pragma once

#include <QDialog>

namespace rost {

// The About box: the product, its version and where the directory's data come from.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace rost
