#pragma once

#include "files/layer.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace kv {

struct GlobalV;

// The reference button's tip window "Did you know?". Its OK button clears ShowRefTip when the
// box is ticked, then closes (and deletes) the window.
class frmREFnag : public QDialog
{
    Q_OBJECT

  public:
    explicit frmREFnag(GlobalV& global, QWidget* parent = nullptr);

    void Command1_Click();

    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;

  private:
    GlobalV& global_;
};

} // namespace kv
