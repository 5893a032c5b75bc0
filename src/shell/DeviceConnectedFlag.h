#pragma once

// Process-wide: true while detection has found and verified a mouse. Written
// only by detection, read by the tray window to decide whether a hidden
// window may be brought back.
bool deviceConnected();
void setDeviceConnected(bool connected);
