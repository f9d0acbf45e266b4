#pragma once
// The network wizard: fills the SIM-card fields from an operator preset.
#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace wr {

class Prompts;

// The SIM-card fields an operator preset fills.
struct NetworkPreset {
  QString apn, username, password, ussd;
  QString ussdInterval;  // hours
};

class TfrmNetworkWizard : public QDialog {
  Q_OBJECT
 public:
  // The presets come from iniFile; when it is empty, from Settings.ini in the
  // current directory, else beside the program, else in the installed data
  // folder. The operator list is read here, once; the values on every OK.
  explicit TfrmNetworkWizard(Prompts& prompts, QWidget* parent = nullptr,
                             const QString& iniFile = QString());

  // Where the presets are read from for this run.
  static QString FindSettingsFile();
  QString SettingsFile() const { return iniFile_; }

  // OK: takes the chosen operator's preset as the result and closes.
  void BitBtn1Click();

  // Runs the dialog; the result is set only by OK.
  int exec() override;
  // The preset chosen with the last OK; empty after Cancel.
  const std::optional<NetworkPreset>& Result() const { return result_; }

  QLabel* Label1 = nullptr;
  QComboBox* cboxNetwork = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

 private:
  Prompts& prompts_;
  QString iniFile_;
  std::optional<NetworkPreset> result_;
};

}  // namespace wr
