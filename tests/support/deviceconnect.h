#pragma once

#include "device/lowergrbl.h"
#include "engraveremulator.h"
#include "panelspy.h"

#include <QCoreApplication>
#include <QElapsedTimer>

// Connects through the search and waits until the commands that follow the
// acceptance ("$H" where it is sent, "$$") are answered.
inline bool connectTo(LowerGrbl &grbl, EngraverEmulator &emulator, bool restrict = true)
{
    if (restrict)
        grbl.restrictSearchTo({emulator.portName()});
    grbl.getPanelMessage(PanelSpy::message(PanelCommand::SearchDevice, QStringLiteral("1")));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (grbl.isConnected() && grbl.account().inFlight().isEmpty())
            return true;
    }
    return false;
}
