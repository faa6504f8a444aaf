#pragma once

class QApplication;

namespace rost {

// What the program sets on its application before the first window: its name and version, the
// application id its desktop entry and icon are installed under, the watcher that keeps every
// title whole, and its style, the chosen one with its seldom-shown icons read late. No display
// name: the window system would append it to every window's title, and each window's title is its
// own caption alone.
void setUpProgram(QApplication &app);

// Has Qt load its image-format plugins on another core while the main window is built: the first
// picture read, most often the first family's, would otherwise wait for Qt to load every one of
// them with its libraries to find the one that reads it. The application waits for this work as
// it ends.
void loadImageReadersAhead();

} // namespace rost
