// The terminal that started the game closing ends it as SIGTERM does.
#pragma once

// Gives SIGHUP the handler that SDL set up for SIGTERM, which asks the loop to quit. Called
// once the display is open; until then a hang-up ends the process as it always would.
void end_on_hangup();
