#include "backend/ScreenState.h"

namespace {

// Sets field and says so, only when the value is new.
template <typename Value, typename Signal>
void change(ScreenState *state, Value &field, Value value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    emit(state->*signal)(value);
}

} // namespace

int ScreenState::rowOfProfileNo(int profileNo) const
{
    return int(numbers.indexOf(profileNo));
}

int ScreenState::activeRow() const
{
    return rowOfProfileNo(activeNo);
}

void ScreenState::setProfiles(const QStringList &profileNames, const QList<int> &profileNumbers)
{
    const qsizetype count = qMin(profileNames.size(), profileNumbers.size());
    const QStringList newNames = profileNames.mid(0, count);
    const QList<int> newNumbers = profileNumbers.mid(0, count);
    if (newNames == names && newNumbers == numbers)
        return;
    names = newNames;
    numbers = newNumbers;
    emit profilesChanged();
    updateActiveRow();
}

void ScreenState::setActiveProfileNo(int profileNo)
{
    activeNo = profileNo;
    updateActiveRow();
}

void ScreenState::updateActiveRow()
{
    change(this, lastActiveRow, activeRow(), &ScreenState::activeRowChanged);
}

void ScreenState::setDpiStage(int dpiStage)
{
    change(this, stage, qMax(0, dpiStage), &ScreenState::dpiStageChanged);
}

void ScreenState::setStarted(bool value)
{
    change(this, isStarted, value, &ScreenState::startedChanged);
}

void ScreenState::setLocked(bool value)
{
    change(this, isLocked, value, &ScreenState::lockedChanged);
}

void ScreenState::setPanelOpen(bool value)
{
    change(this, isPanelOpen, value, &ScreenState::panelOpenChanged);
}

void ScreenState::setUnsaved(bool value)
{
    change(this, hasUnsaved, value, &ScreenState::unsavedChanged);
}
