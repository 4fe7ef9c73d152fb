#include "app/about_window.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/picture_box.h"
#include "link/port_search.h"
#include "platform/services.h"

#include <QDir>
#include <QFileInfo>

namespace kv {

bool GetKeyValue(const RegistryView& registry, const QString& keyName, const QString& valueName,
                 QString& value)
{
    const std::optional<QString> text = ReadRegistryText(registry, keyName, valueName);
    value = text.value_or(QString());
    return text.has_value();
}

void StartSysInfo(const RegistryView& registry, Shell& shell, Dialogs& dialogs)
{
    // The tool's own path, else the folder of the classic tool; a path that names no file is
    // a failure to start it.
    QString path;
    if (GetKeyValue(registry, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        if (QFileInfo::exists(path) && shell.start(path))
            return;
    } else if (GetKeyValue(registry, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString program = QDir(path).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo::exists(program) && shell.start(program))
            return;
    }
    dialogs.MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), MsgButtons::OK,
                   MsgIcon::None, AppTitle);
}

AboutWindow::AboutWindow(Main& main)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint), main_(main)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 260);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(16, 16, 120, 120);
    Picture1->setFaceColor(0x2A2420);
    lblVersion = new PictureBox(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(152, 24, 250, 24);
    Image1 = new PictureBox(QStringLiteral("Corvanth"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(152, 64, 250, 48);
    Image1->setCursor(Qt::PointingHandCursor);
    CWButton1 = new CwButton(CwButton::Style::PushButton, this);
    CWButton1->setObjectName(QStringLiteral("CWButton1"));
    CWButton1->setCaption(QStringLiteral("System Info."));
    CWButton1->setCommand(true);
    CWButton1->setGeometry(184, 208, 108, 32);
    CWButton2 = new CwButton(CwButton::Style::PushButton, this);
    CWButton2->setObjectName(QStringLiteral("CWButton2"));
    CWButton2->setCaption(QStringLiteral("OK"));
    CWButton2->setCommand(true);
    CWButton2->setGeometry(300, 208, 104, 32);

    connect(CWButton1, &CwButton::valueChanged, this, &AboutWindow::CWButton1_ValueChanged);
    connect(CWButton2, &CwButton::valueChanged, this, &AboutWindow::CWButton2_ValueChanged);
    connect(Image1, &PictureBox::clicked, this, &AboutWindow::Image1_Click);
    Form_Load();
}

void AboutWindow::Form_Load()
{
    // Reading the splash window's line loads that window again, hidden, once it has closed.
    lblVersion->setText(main_.frmSplash().lblVersion->text());
    setWindowTitle(QStringLiteral("About ") + AppTitle);
}

void AboutWindow::CWButton1_ValueChanged(bool value)
{
    if (value)
        StartSysInfo(main_.registry, main_.shell, main_.dialogs);
}

void AboutWindow::CWButton2_ValueChanged()
{
    close();
}

void AboutWindow::Image1_Click()
{
    main_.shell.open(DistributorPage);
}

} // namespace kv
