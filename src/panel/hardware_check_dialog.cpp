#include "panel/hardware_check_dialog.h"

#include "panel/attenuators.h"
#include "platform/services.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

namespace {

const QString NoticeLines = QStringLiteral("The only way to see the Hardware Check window again "
                                           "is to double-\rclick on either CH1 or CH2 "
                                           "attenuation buttons.");

} // namespace

HardwareCheckDialog::HardwareCheckDialog(GlobalV& global, Dialogs& dialogs,
                                         Attenuators& attenuators, QWidget* parent)
    : QDialog(parent), global_(global), dialogs_(dialogs), attenuators_(attenuators)
{
    setObjectName(QStringLiteral("frm30volt"));
    setWindowTitle(QStringLiteral("Hardware Check"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("This feature requires additional 40 volt attenuation "
                                       "circuitry between the Kestrovue and the probes."),
                        Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Is this circuitry installed?"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Command1 = new QPushButton(QStringLiteral("Yes"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("YES, I HAVE THE NECESSARY HARDWARE INSTALLED"));
    Command2 = new QPushButton(QStringLiteral("No"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("NO, I DO NOT HAVE THE NECESSARY HARDWARE INSTALLED"));
    Check1 = new QCheckBox(QStringLiteral("Check here to discontinue prompting."), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("STOP BUGGING ME"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(Label1);
    frame->addWidget(Label2);
    frame->addLayout(buttons);
    frame->addWidget(Check1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Frame1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void HardwareCheckDialog::Form_Load()
{
    Check1->setChecked(!global_.ShowHardwareCheck);
}

void HardwareCheckDialog::noteChoice(const QString& extraLine)
{
    global_.ShowHardwareCheck = !Check1->isChecked();
    if (Check1->isChecked())
        dialogs_.MsgBox(NoticeLines + extraLine, MsgButtons::OK, MsgIcon::Exclamation,
                        QStringLiteral("Notice"));
}

void HardwareCheckDialog::Command1_Click()
{
    global_.NoATTHardware = false;
    noteChoice({});
    close();
}

void HardwareCheckDialog::Command2_Click()
{
    global_.NoATTHardware = true;
    noteChoice(QStringLiteral("\rThis will be necessary if you ever add the 40 volt attenuation "
                              "circuitry."));
    attenuators_.switchOff(1);
    attenuators_.switchOff(2);
    close();
}

} // namespace kv
