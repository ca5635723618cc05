#pragma once

// What the oscilloscope reads from the main window's controls.
namespace signova {

// Items of the "Input Signal" radio group.
constexpr int InputDontShowItem = 0; // "Don't show"
constexpr int InputShownItem = 1;    // "xn"
constexpr int InputNormItem = 2;     // "xn (norm.)"

// The Tijdbasis item that gives timebase factor 1; any other gives 2.
constexpr int TimebaseFactorOneItem = 1;

// The control readings, taken afresh for every sample.
struct ScopeControls {
    int timebaseItem = TimebaseFactorOneItem; // selected item of Tijdbasis
    int inputItem = InputShownItem;           // selected item of Input
    int amplitudePosition = 100;              // Ampsb position, 1 to 200
    bool filterChecked = true;                // Filter check box
    int chartWidth = 0;                       // current width of Chart1 in pixels
};

} // namespace signova
