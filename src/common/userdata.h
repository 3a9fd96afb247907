#pragma once

#include <QString>

// The per-user folder for the log and the generator's diagnostic design copy:
// the documents location followed by "/tolvenrik".
QString userDataFolder();

// userDataFolder() + "/logInfo.txt".
QString logFilePath();

// Creates the user data folder if it does not exist; false when it cannot.
bool ensureUserDataFolder();
