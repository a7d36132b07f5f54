#pragma once

// Who the program is to the desktop.

// The application's name and version, and the desktop entry it belongs to, so that a session
// shows the entry's name and icon for its windows. Needs no application object.
void setProgramIdentity();

// The icon of every window, from the drawings built into the program. Needs the application.
void setProgramIcon();
