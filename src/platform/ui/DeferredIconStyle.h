#pragma once

#include <QProxyStyle>

namespace rost {

// A style that draws as the one it is named after, but reads the icons widgets ask for as they are
// made and seldom show (the menu bar's extension button) from their files only when first drawn.
// Qt finds an icon file's format by asking every image-format plugin installed, which loads them
// all with their libraries: milliseconds of the start, in the middle of building the main window.
class DeferredIconStyle : public QProxyStyle
{
public:
    explicit DeferredIconStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace rost
