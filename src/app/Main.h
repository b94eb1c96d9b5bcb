#pragma once

struct Estado;

// Start-up: the program folder, the temporary log's path, no log loaded, and the history
// kept to its newest entries.
// The application name must be set before, since the log lives in its data folder.
void Main(Estado& e);
