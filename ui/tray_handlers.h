// The tray handler (a left click shows or hides the window) and the minimise handler
// (a minimised window hides in the tray).
#pragma once

void TrayHandler(int code);
// The desktop asks for the player: a hidden window comes back as a tray click brings it.
void RaiseHandler();
void MinimiseHandler();
