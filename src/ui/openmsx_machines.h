#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QMenuBar;
class QTreeWidget;

// "openMSX machines...": per generation the machines openMSX starts on this computer, as the
// emulator bridge's kept answers say, the one the bridge chooses, and a pin per generation that
// is written to the application directory's emulator/bridge.cfg.
class OpenMsxMachinesDialog : public QDialog {
  public:
    OpenMsxMachinesDialog(std::string appDir, QWidget* parent = nullptr);
    ~OpenMsxMachinesDialog() override;

    // Asks openMSX again about every listed machine and keeps its answers.
    void testAgain();
    // Writes the pins chosen into bridge.cfg; false (and a message box) when it cannot.
    bool savePins();

  private:
    struct Bridge;
    void fill();

    std::string appDir_;
    std::unique_ptr<Bridge> bridge_;
    QTreeWidget* tree_;
    QLabel* note_;
    QComboBox* pins_[3];
};

// "openMSX machines..." of the "&Emulator" menu opens the dialog; appDir tells the application
// directory at the time it opens.
void connectOpenMsxMachinesItem(QMenuBar* bar, std::function<std::string()> appDir);
