#pragma once

class QApplication;

namespace rost {

// What the program sets on its application before the first window: its name and version, the
// application id its desktop entry and icon are installed under, and the watcher that keeps every
// title whole. No display name: the window system would append it to every window's title, and
// each window's title is its own caption alone.
void setUpProgram(QApplication &app);

} // namespace rost
