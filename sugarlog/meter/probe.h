#pragma once
// The hooks of the measuring probe on the game port. The probe is switched off in this version:
// the hooks stay where the window calls them, and touch no device.

namespace sugarlog {

// Presence check of the probe, once at start-up after the first drawing of the chart.
inline void Presence_Joystick() {}
// Read of the probe port: at start-up before the data file is read, and on each probe timer tick.
inline void Port_Joystick() {}
// Read of the probe before a measuring step of the hidden Test menu.
inline void Joysticks() {}

}  // namespace sugarlog
