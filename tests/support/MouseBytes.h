#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>

#include <initializer_list>

// Byte lists as the virtual mouse's state holds them, and the ones the
// shipped profile gives it.
namespace MouseBytes {

// The numbers of a JSON array, count of them from from (all when negative).
inline QList<int> ints(const QJsonValue &value, int from = 0, int count = -1)
{
    const QJsonArray a = value.toArray();
    QList<int> out;
    for (int i = from; i < a.size() && (count < 0 || i < from + count); ++i)
        out << a.at(i).toInt();
    return out;
}

// The current DPI stage in the mouse's state: the 560 family keeps one per
// device profile (1-based), the 553 family one for the mouse.
inline int currentDpiStage(const QJsonObject &state, const QString &chip, int deviceProfile = 1)
{
    return chip == QLatin1String("560") ? state.value(QLatin1String("profileDpiStage"))
                                              .toObject()
                                              .value(QString::number(deviceProfile))
                                              .toInt()
                                        : state.value(QLatin1String("currentDpiStage")).toInt();
}

// The key matrix of the factory definitions (pD.bin) of the shipped
// profile, 16 slots of 4 bytes in device slot order: slots 3, 4, 5 carry
// buttons 5, 6, 4; slot 8 is fixed.
inline QList<int> factoryKeyMatrix()
{
    return {
        0x01, 0x00, 0xF0, 0x00, // button 1: left
        0x01, 0x00, 0xF1, 0x00, // button 2: right
        0x01, 0x00, 0xF2, 0x00, // button 3: middle
        0x01, 0x00, 0xF3, 0x00, // button 5: back
        0x07, 0x00, 0x01, 0x00, // button 6: DPI+
        0x01, 0x00, 0xF4, 0x00, // button 4: forward
        0x07, 0x00, 0x02, 0x00, // button 7: DPI-
        0x0A, 0xF0, 0x1E, 0x02, // button 8: double fire
        0x0C, 0x00, 0x00, 0x00, // fixed
        0x01, 0x00, 0x00, 0x00, // button 10: disabled
        0x01, 0x00, 0x00, 0x00, // button 11: disabled
        0x01, 0x00, 0x00, 0x00, // button 12: disabled
        0x01, 0x00, 0x00, 0x00, // button 13: disabled
        0x01, 0x00, 0x00, 0x00, // button 14: disabled
        0x04, 0x00, 0x01, 0x00, // button 15: no function
        0x04, 0x00, 0x02, 0x00, // button 16: no function
    };
}

// The matrix with one device slot's four bytes replaced.
inline QList<int> withSlot(QList<int> matrix, int slot, std::initializer_list<int> bytes)
{
    int i = 4 * slot;
    for (int b : bytes)
        matrix[i++] = b;
    return matrix;
}

} // namespace MouseBytes
