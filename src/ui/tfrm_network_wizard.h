#pragma once
// The network wizard: fills the SIM-card fields from an operator preset.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace wr {

class Prompts;
class TfrmMain;

class TfrmNetworkWizard : public QDialog {
  Q_OBJECT
 public:
  // The presets come from iniFile; when it is empty, from Settings.ini in the
  // current directory, else beside the program, else in the installed data
  // folder. The operator list is read here, once; the values on every OK.
  // A TfrmMain parent is the window whose fields OK fills.
  explicit TfrmNetworkWizard(Prompts& prompts, QWidget* parent = nullptr,
                             const QString& iniFile = QString());

  // Where the presets are read from for this run.
  static QString FindSettingsFile();
  QString SettingsFile() const { return iniFile_; }

  void SetMainWindow(TfrmMain* main) { main_ = main; }

  // OK: fills the SIM-card fields from the chosen preset and closes.
  void BitBtn1Click();

  QLabel* Label1 = nullptr;
  QComboBox* cboxNetwork = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

 private:
  Prompts& prompts_;
  TfrmMain* main_ = nullptr;
  QString iniFile_;
};

}  // namespace wr
