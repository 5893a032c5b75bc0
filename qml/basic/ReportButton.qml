import QtQuick
import modules.qml

// Writes the diagnostics report; the window controller asks where.
TextButton {
    id: reportButton

    text: "Report"
    width: 64
    height: 22
    normalColor: Theme.colorGray0
    border.color: Theme.colorGray1
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.description: "Save a diagnostics report to attach to a bug report"
    Accessible.onPressAction: reportButton.clicked()
}
