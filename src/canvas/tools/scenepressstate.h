#pragma once

// What the current left-button gesture of the Select tool is doing. Each
// press sets it anew; a release leaves it as it is.
enum ScenePressState {
    Idle = 0, // a handle of the selection frame was pressed
    PressedOnEmpty = 1,
    RubberBand = 2,
    PressedOnItem = 3,
    DoubleClicked = 4,
};
