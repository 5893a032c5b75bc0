#pragma once

#include <QEvent>

// A custom event of type QEvent::User carrying one int code.
class UserEvent : public QEvent
{
public:
    // Asks the window for the second half of the show-UI step (QML run).
    static constexpr int RunUiCode = 2177;

    explicit UserEvent(int code) : QEvent(QEvent::User), eventCode(code) {}
    int code() const { return eventCode; }

private:
    int eventCode;
};
