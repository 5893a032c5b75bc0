#include "shell/Widget.h"

#include "platform/CopyDataChannel.h"

#include <QMessageBox>

namespace {
constexpr std::uint64_t textMessage = 0x250F;
}

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
    auto *widget = static_cast<Widget *>(context);
    // Plain text: a message from another program must not render markup.
    QMessageBox box(QMessageBox::Warning, widget->windowTitle(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
