#include "shell/Widget.h"

#include "platform/CopyDataChannel.h"

#include <QDebug>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>

namespace {

constexpr std::uint64_t textMessage = 0x250F;
// Texts that wait while a box is open; a flood beyond them is dropped.
constexpr qsizetype maxWaitingTexts = 8;

// One copy-data box at a time, shown without an event loop of its own: a
// modal loop would run every later message (and everything else) inside
// the call that opened it, a command to the mouse among them.
struct CopyDataBoxes
{
    QPointer<QMessageBox> shown;
    QStringList waiting;
};

CopyDataBoxes &copyDataBoxes()
{
    static CopyDataBoxes boxes;
    return boxes;
}

void showNextBox(Widget *widget)
{
    CopyDataBoxes &boxes = copyDataBoxes();
    if (boxes.shown || boxes.waiting.isEmpty())
        return;
    // Plain text: a message from another program must not render markup.
    auto *box = new QMessageBox(QMessageBox::Warning, widget->windowTitle(),
                                boxes.waiting.takeFirst(), QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(widget, &QObject::destroyed, box, [box] {
        copyDataBoxes().waiting.clear();
        box->deleteLater();
    });
    QObject::connect(box, &QDialog::finished, widget, [widget] {
        copyDataBoxes().shown = nullptr;
        QMetaObject::invokeMethod(
            widget, [widget] { showNextBox(widget); }, Qt::QueuedConnection);
    });
    boxes.shown = box;
    box->show();
}

} // namespace

bool Widget::copyDataText(const CopyDataMessage &message, QString *text)
{
    if (message.dwData != textMessage)
        return false;
    const char *bytes = static_cast<const char *>(message.lpData);
    const qsizetype size = bytes ? static_cast<qsizetype>(message.cbData) : 0;
    // The text ends at the first NUL, and never beyond the bytes sent.
    const QByteArrayView payload(bytes, size);
    const qsizetype nul = payload.indexOf('\0');
    const QString candidate = QString::fromUtf8(nul < 0 ? payload : payload.first(nul));
    // Only a text that fills the payload exactly, with no NUL counted in it.
    // The bytes are compared, not the sizes: replacement characters for bytes
    // that are not UTF-8 could otherwise make up the length of a cut text.
    if (payload.size() != static_cast<qsizetype>(message.cbData) || candidate.toUtf8() != payload)
        return false;
    *text = candidate;
    return true;
}

void Widget::copyDataCallback(const CopyDataMessage *message, void *context)
{
    if (!message || !context)
        return;
    QString text;
    if (!copyDataText(*message, &text))
        return;
    CopyDataBoxes &boxes = copyDataBoxes();
    if (boxes.waiting.size() >= maxWaitingTexts) {
        qDebug("copy-data message dropped: %d wait already", int(boxes.waiting.size()));
        return;
    }
    boxes.waiting.append(text);
    showNextBox(static_cast<Widget *>(context));
}
