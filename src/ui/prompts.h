#pragma once
// The boxes a handler shows the user. Real windows get QtPrompts; tests give
// scripted answers and read back every text that was shown.
#include <QString>

namespace wr {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A modal box with an OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // A Yes/No question with a caption; true only for Yes.
  virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
  // A one-line input box; false when cancelled (value then unchanged).
  virtual bool InputBox(const QString& caption, const QString& prompt, QString& value) = 0;
  // A file-open dialog; the empty string when cancelled.
  virtual QString OpenFile(const QString& caption, const QString& filter) = 0;
  // A file-save dialog starting at suggested (a path or a bare name); the
  // suggested name's extension is added to a name typed without one, and
  // replacing an existing file is confirmed. The empty string when cancelled.
  virtual QString SaveFile(const QString& caption, const QString& filter,
                           const QString& suggested) = 0;
};

}  // namespace wr
