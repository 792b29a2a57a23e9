#include "platform/message_box.h"

#include <QMessageBox>

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) {
    return ShowOwnedMessageBox(nullptr, text, caption, buttons, icon);
}

MessageAnswer ShowOwnedMessageBox(QWidget* owner, const std::string& text,
                                  const std::string& caption, MessageButtons buttons,
                                  MessageIcon icon) {
    QMessageBox box(owner);
    box.setWindowTitle(QString::fromStdString(caption));
    // The texts carry " \r" as their line break; Qt breaks lines at "\n".
    box.setText(QString::fromStdString(text).replace(QChar('\r'), QChar('\n')));
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    int answer = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
