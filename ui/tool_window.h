#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// The windows the program opens beside its main window (the frequency views
// and those that come after them) are tool windows of the main window: they
// stay above it while the program is active, close when it closes, and are
// placed where they hide the least of it. Nothing of where they were is kept
// between starts.

// Makes `tool` a tool window of `main` and places it (see ToolWindowPosition).
// Call once, before the tool window is first shown; after that it stays where
// the user puts it.
void MakeToolWindow(QWidget& tool, QWidget& main);

// Where a tool window whose frame is `toolFrame` big goes, as the top left of
// its frame: to the right of the main window's frame where the available
// screen area has room for it, else below it, else where it covers the least
// of `controls` (the main window's controls, in screen coordinates), the place
// nearest to the right of the main window among equals.
QPoint ToolWindowPosition(const QRect& mainFrame, QSize toolFrame, const QRect& available,
                          const std::vector<QRect>& controls);
