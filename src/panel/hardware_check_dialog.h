#pragma once

#include "panel/layer.h"
#include "state/global_v.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kv {

class Attenuators;
class Dialogs;

// frm30volt, "Hardware Check": asks whether the 40 V attenuation circuit is installed. Modeless;
// deletes itself when closed.
class HardwareCheckDialog : public QDialog
{
    Q_OBJECT

  public:
    // "No" switches both attenuators off through `attenuators`.
    HardwareCheckDialog(GlobalV& global, Dialogs& dialogs, Attenuators& attenuators,
                        QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click(); // "Yes"
    void Command2_Click(); // "No"

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QCheckBox* Check1 = nullptr;

  private:
    // Check1 ticked: stop asking and tell how to ask again; else keep asking.
    void noteChoice(const QString& extraLine);

    GlobalV& global_;
    Dialogs& dialogs_;
    Attenuators& attenuators_;
};

} // namespace kv
