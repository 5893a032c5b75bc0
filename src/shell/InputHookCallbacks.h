#pragma once

class InputHook;
class QCoreApplication;
class Widget;

// Registers the three callbacks of the input hook with the Widget as context:
// key and button transitions are queued to the QML functions detectKeyboard
// and detectMouse through the view; copy-data messages reach the Widget.
void registerInputHookCallbacks(InputHook &hook, Widget *widget, QCoreApplication *application);
