// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The boxes a handler shows the user. Real windows get QtPrompts; tests give
// scripted answers and read back every text that was shown.
#include <QString>

namespace wr {

// How a message box looks: what went well or is plain news, something the
// user should look at (a refusal), or something that failed.
enum class MessageKind { Information, Warning, Critical };

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A modal box with an OK button and the icon of its kind.
  virtual void ShowMessage(const QString& text, MessageKind kind = MessageKind::Information) = 0;
  // A Yes/No question with a caption; true only for Yes.
  virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
  // A Yes/No question with a check box below it (option), which starts as
  // checked says and is read back into it when the box closes. Without a box
  // of its own, the question is asked plainly and checked is kept.
  virtual bool AskYesNoWithOption(const QString& caption, const QString& text,
                                  const QString& option, bool& checked) {
    (void)option;
    (void)checked;
    return AskYesNo(caption, text);
  }
  // A one-line input box; false when cancelled (value then unchanged).
  virtual bool InputBox(const QString& caption, const QString& prompt, QString& value) = 0;
  // A file-open dialog; the empty string when cancelled. dir: where it opens.
  virtual QString OpenFile(const QString& caption, const QString& filter,
                           const QString& dir = QString()) = 0;
  // A file-save dialog starting at suggested (a folder, or a file in one);
  // the chosen filter comes back in selectedFilter when given. The empty
  // string when cancelled. The dialog asks before replacing a file.
  virtual QString SaveFile(const QString& caption, const QString& filter,
                           const QString& suggested, QString* selectedFilter = nullptr) = 0;
};

}  // namespace wr
