#pragma once

#include <string>

// Modal message boxes without an owner window, as the program asks its
// questions and reports its errors. Texts are UTF-8.
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Error, Question, Information };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon);
