#pragma once

#include <functional>
#include <string>

#include "platform/message_box.h"

// Every message box that photo loading, the gallery and the catalog show goes
// through this function, so that tests can answer the questions and record
// the errors instead of waiting for a person to press a button.
using ContentMessageFunction = std::function<MessageAnswer(
    const std::string& text, const std::string& caption, MessageButtons, MessageIcon)>;

extern ContentMessageFunction ContentMessageBox;

// Shows the box through ContentMessageBox.
MessageAnswer AskContentMessage(const std::string& text, const std::string& caption,
                                MessageButtons buttons, MessageIcon icon);
