#pragma once

class QWidget;

// Message and input boxes: wide enough for the title bar to show their whole caption, and centred
// on the window they belong to, or on the screen while that window is not shown yet (a parent
// that is still hidden has no place of its own: Qt would put the box near the screen's corner).

// The narrowest width at which the title bar shows the whole caption: the caption in the title
// font, with room for the window icon, the close button and the frame.
int captionWidth(const QWidget& window);

// Widens the box to its caption's width where it is narrower, then centres it on owner's window
// when that is shown, else on the screen. Called when the box is shown, once Qt has sized it.
void fitAndPlace(QWidget& box, const QWidget* owner);
