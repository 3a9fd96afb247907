#pragma once

// The drawing tool chosen on the tool bar, with the codes the main window's
// tool slots pass on. 1 and 6 are not used.
enum class DoodleTool {
    Select = 0,
    Text = 2,
    Path = 3, // free-hand pen
    Line = 4, // polyline, click by click
    Rectangle = 5,
    Ellipse = 7,
};
