#pragma once

#include <string>

class QWidget;

// Modal message boxes, as the program asks its questions and reports its
// errors: without an owner window unless one is given. Texts are UTF-8.
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Error, Question, Information };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon);

// The same box owned by a window, which it stays above and is centred on.
MessageAnswer ShowOwnedMessageBox(QWidget* owner, const std::string& text,
                                  const std::string& caption, MessageButtons buttons,
                                  MessageIcon icon);
