#pragma once

// The program speaks Spanish, and so must Qt's own dialogs and buttons, their dates and sizes
// included, whatever the system's language. Call once, after the application is made.
void HablarEspanol();
