#pragma once

// Who the program is to the desktop.

// The application's name and version, and the desktop entry it belongs to, so that a session
// shows the entry's name and icon for its windows. Needs no application object.
void setProgramIdentity();

// The icon of every window, from the drawings built into the program, which are read when the
// window system first asks for them. Needs the application.
void setProgramIcon();
