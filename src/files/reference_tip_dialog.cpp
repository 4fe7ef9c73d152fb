#include "files/reference_tip_dialog.h"

#include "state/global_v.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

frmREFnag::frmREFnag(GlobalV& global, QWidget* parent) : QDialog(parent), global_(global)
{
    setObjectName(QStringLiteral("frmREFnag"));
    setWindowTitle(QStringLiteral("Did you know?"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    for (const QString& text :
         {QStringLiteral("Double-clicking on the REF button will load a reference waveform."),
          QStringLiteral("After loading reference waveform, clicking the REF button one time "
                         "will set the measurement and cursor focus to the reference "
                         "waveform. ")}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    Check1 = new QCheckBox(QStringLiteral("Check here to discontinue prompting."), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("STOP BUGGING ME"));
    layout->addWidget(Check1);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("OKAY, LET ME CONTINUE"));
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmREFnag::Command1_Click()
{
    if (Check1->isChecked())
        global_.ShowRefTip = false;
    close();
}

} // namespace kv
