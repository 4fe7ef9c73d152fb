#include "app/splash_window.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "controls/timer_ticks.h"
#include "platform/services.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace kv {

namespace {
constexpr int VersionMajor = 4;
constexpr int VersionMinor = 0;
constexpr int VersionRevision = 0;
} // namespace

QString SplashWindow::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(VersionMajor)
        .arg(VersionMinor)
        .arg(VersionRevision);
}

SplashWindow::SplashWindow(Main& main)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), main_(main)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(480, 320);
    setStyleSheet(QStringLiteral("QLabel { color: #e0e0e0; font-family: 'Trebuchet MS'; }"));

    Picture1 = addLabel({}, {0, 0, 480, 320}, "Picture1");
    Picture1->setFaceColor(0x2A2420);
    Label2 = addLabel(QStringLiteral("Connected Device "), {24, 150, 200, 20}, "Label2");
    Model = addLabel(QStringLiteral("Model"), {24, 172, 300, 20}, "Model");
    Firmware = addLabel(QStringLiteral("Firmware"), {24, 194, 300, 20}, "Firmware");
    Manufacture = addLabel(QStringLiteral("Manufacture"), {24, 216, 300, 20}, "Manufacture");
    lblPlatform =
        addLabel(QStringLiteral("Windows 98/ME, 2000/XP"), {24, 250, 300, 20}, "lblPlatform");
    lblVersion = addLabel(QStringLiteral("Version"), {24, 272, 200, 20}, "lblVersion");
    lblVersion->setStyleSheet(QStringLiteral("font-family: Arial;"));
    lblWarning = addLabel({}, {240, 250, 220, 20}, "lblWarning");
    lblWarning2 = addLabel({}, {240, 272, 220, 20}, "lblWarning2");
    Label1 = addLabel(QStringLiteral("Click the Mouse Button to Continue"), {24, 294, 432, 20},
                      "Label1");

    CWButton7 = new CwButton(CwButton::Style::RoundLed, this);
    CWButton7->setObjectName(QStringLiteral("CWButton7"));
    CWButton7->setIndicator(true);
    CWButton7->setGeometry(200, 150, 18, 18);
    connect(CWButton7, &CwButton::valueChanged, this, [this] { CloseSplash(); });
    // The lamp ignores the mouse for its value; a click on it closes the window all the same.
    connect(CWButton7, &CwButton::clicked, this, [this] { CloseSplash(); });

    SplashTime = new CwTimer(6000, false, this);
    connectTick(SplashTime, this, [this] {
        SplashTime->setEnabled(false);
        CloseSplash();
    });

    Form_Load();
}

PictureBox* SplashWindow::addLabel(const QString& text, const QRect& geometry, const char* name)
{
    auto* label = new PictureBox(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    connect(label, &PictureBox::clicked, this, [this] { CloseSplash(); });
    return label;
}

void SplashWindow::Form_Load()
{
    lblVersion->setText(versionText());
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        CloseSplash();
    else
        QWidget::keyPressEvent(event);
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    CloseSplash();
    QWidget::closeEvent(event);
}

void SplashWindow::CloseSplash()
{
    if (closing_)
        return;
    closing_ = true;
    main_.show();
    main_.unloadSplash();
    if (!main_.Options->isVisible())
        main_.CheckCOM->setEnabled(false);
}

} // namespace kv
