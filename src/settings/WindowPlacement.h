#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace kora {

// A window's position, size and state as the settings keep them: "Left" and "Top" of its frame
// and "Width" and "Height" of its inside in the normal (restored) state, in the desktop's
// coordinates; "State" 0 normal, 1 minimised, 2 maximised; "MainForm"; "ScreenRes" ("1024x768").
// -1 marks a value that is absent.
struct WindowPlacement
{
    int left = -1;
    int top = -1;
    int width = -1;
    int height = -1;
    int state = -1;
    bool mainForm = false;
    QString screenRes;

    // What `window` shows now, on the screen it is on.
    static WindowPlacement of(const QWidget *window, bool mainForm);
};

// "%dx%d"
QString resolutionText(const QSize &size);

// Where a window whose rectangle is `current` goes when `stored` is restored, on a desktop of
// `screens` (their geometries, the primary first). The rules work on the screen the stored
// position lies on, or the primary screen when that screen is gone:
// - nothing stored: the current rectangle, centred on the screen when `centred`, else moved
//   just inside its right and bottom edges and then to no less than its left and top;
// - saved on a screen of another resolution: moved left or up so that the right or bottom edge
//   meets the screen's; on the same resolution: left and top at most 20 pixels short of the
//   screen's width and height; then negative values become 0;
// - a stored width or height takes the place of the current one; one that is 0 or less is
//   ignored and one larger than the screen becomes the screen's.
QRect placedRect(const WindowPlacement &stored, const QRect &current, bool centred, const QList<QRect> &screens);

// Moves and sizes `window` by placedRect (its frame's position, its inside's size) on the
// application's screens and sets its state (1 minimised, 2 maximised); position and size are only
// set when they change, so a window placed for the first time keeps the window system's choice.
void applyPlacement(QWidget *window, const WindowPlacement &stored, bool centred);

} // namespace kora
