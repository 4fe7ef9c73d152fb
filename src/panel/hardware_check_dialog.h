#pragma once

#include "app/layer.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kv {

class Main;

// frm30volt, "Hardware Check": asks whether the 40 V attenuation circuit is installed. Modeless;
// deletes itself when closed.
class HardwareCheckDialog : public QDialog
{
    Q_OBJECT

  public:
    explicit HardwareCheckDialog(Main& main, QWidget* parent = nullptr);

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

    Main& m;
};

} // namespace kv
