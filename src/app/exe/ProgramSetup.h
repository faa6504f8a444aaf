#pragma once

class QApplication;
class QString;

namespace rost {

// What the program sets on its application before the first window: its name and version, the
// application id its desktop entry and icon are installed under, the watcher that keeps every
// title whole, and its style, the chosen one with its seldom-shown icons read late. No display
// name: the window system would append it to every window's title, and each window's title is its
// own caption alone.
void setUpProgram(QApplication &app);

// Work the first family's paint needs, done on the other cores while the main window is built:
// the font list, which the window's first text waits for; the checks of the table files the
// window opens in dataFolder, whose verdicts the open then finds made; and Qt's image-format
// plugins, which the first picture read would otherwise wait for Qt to load, every one with its
// libraries, to find the one that reads it. Nothing is reported: what fails here is met, and
// told, where the window does it itself. The application waits for this work as it ends.
void startWorkAhead(const QString &dataFolder);

} // namespace rost
