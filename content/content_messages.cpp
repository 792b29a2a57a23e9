#include "content/content_messages.h"

ContentMessageFunction ContentMessageBox = ShowMessageBox;

MessageAnswer AskContentMessage(const std::string& text, const std::string& caption,
                                MessageButtons buttons, MessageIcon icon) {
    if (!ContentMessageBox)
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return ContentMessageBox(text, caption, buttons, icon);
}
