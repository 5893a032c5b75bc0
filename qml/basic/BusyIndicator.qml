import QtQuick
import modules.qml

// The blinking "LOADING ......" shown while the screen is locked.
Item {
    id: busy

    property bool isBusy: false
    readonly property alias busyText: loadingText

    function setBusy(_isBusy) {
        isBusy = _isBusy
    }

    visible: isBusy
    width: loadingText.width
    height: loadingText.height

    Text {
        id: loadingText
        text: "LOADING ......"
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        color: Theme.fontColor

        SequentialAnimation on opacity {
            running: busy.isBusy
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
