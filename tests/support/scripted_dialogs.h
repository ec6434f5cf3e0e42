#pragma once
// Dialogs that record what was shown and answer from a script.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace tallowmere::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  MessageButtons buttons;
  MessageIcon icon;
  bool defaultNo;
};

class ScriptedDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string& title, MessageButtons buttons, MessageIcon icon,
                        bool defaultNo = false) override {
    if (failQuestions && buttons == MessageButtons::YesNo) throw std::runtime_error("The question cannot be shown");
    messages.push_back({text, title, buttons, icon, defaultNo});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::No;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string Input(const std::string& prompt, const std::string& title) override {
    inputPrompts.push_back(prompt + "|" + title);
    if (inputs.empty()) return "";
    std::string s = inputs.front();
    inputs.pop_front();
    return s;
  }
  SaveChoice SaveFileName(const std::string& title, const std::vector<FileType>& types) override {
    std::string shown = title;
    for (const FileType& type : types) shown += "|" + type.name + "|" + type.pattern;
    saveDialogs.push_back(shown);
    SaveChoice choice;
    if (!saveNames.empty()) {
      choice.path = saveNames.front();
      saveNames.pop_front();
    }
    if (!saveTypes.empty()) {
      choice.type = saveTypes.front();
      saveTypes.pop_front();
    }
    return choice;
  }

  std::deque<MessageAnswer> answers;  // for Yes/No boxes, in order; No when empty
  std::deque<std::string> inputs;     // for input boxes; "" (Cancel) when empty
  std::deque<std::string> saveNames;  // for Save As; "" (Cancel) when empty
  std::deque<std::size_t> saveTypes;  // the file type chosen in Save As; 0 when empty
  bool failQuestions = false;         // Yes/No boxes throw instead of asking
  std::vector<ShownMessage> messages;
  std::vector<std::string> inputPrompts;
  std::vector<std::string> saveDialogs;
};

}  // namespace tallowmere::testing
