#pragma once

#include <QStringList>

// Each command takes the arguments after its name and returns the exit code.
int runGcodeCommand(const QStringList &arguments);
int runSendCommand(const QStringList &arguments);
int runEstimateCommand(const QStringList &arguments);
