#pragma once
// Modal dialogs: message box, input box and the Save As dialog. The windows show them
// with Qt; tests replace them with scripted answers; the command line prints messages.

#include <cstddef>
#include <string>
#include <vector>

namespace tallowmere {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Yes, No };

// A kind of file a Save As dialog offers: its name as shown (e.g. "Excel Files (*.xls)")
// and the pattern of its files (e.g. "*.xls").
struct FileType {
  std::string name;
  std::string pattern;
};

// What the user chose in a Save As dialog: the full path ("" on Cancel) and the number of
// the file type selected when they confirmed (from 0).
struct SaveChoice {
  std::string path;
  std::size_t type = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows text under title. Returns the button pressed: Ok for an OK box, Yes or No for a
  // Yes/No box (closing a Yes/No box counts as No). defaultNo makes No the default button.
  virtual MessageAnswer Message(const std::string& text, const std::string& title, MessageButtons buttons,
                                MessageIcon icon, bool defaultNo = false) = 0;
  // Input box with an empty edit field. Returns the typed text, or "" on Cancel.
  virtual std::string Input(const std::string& prompt, const std::string& title) = 0;
  // Save As dialog offering the file types, the first selected at the start. An existing
  // file is returned without asking: replacing it is the caller's question.
  virtual SaveChoice SaveFileName(const std::string& title, const std::vector<FileType>& types) = 0;
};

// The title of every message box that names none of its own.
inline constexpr const char* kApplicationTitle = "Tallowmere";

}  // namespace tallowmere
