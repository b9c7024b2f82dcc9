// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGTERM (the session ending, a service manager, `kill`) and SIGINT end the program as its
// own ways out do, through the event loop: what it keeps at the end (where a film was left)
// is kept. Call once the application exists.
void quitOnTerminationSignals();
