#pragma once

#include "app/layer.h"

#include <QWidget>

class QLabel;

namespace kv {

class CwButton;
class CwTimer;
class Main;
class PictureBox;

// The splash window: picture, version, platforms and the identity of the instrument. Created by
// Main::frmSplash(); closing it (CloseSplash) shows the main window and unloads it.
class SplashWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit SplashWindow(Main& main);

    // Shows the main window, unloads this window, and stops the link watch unless the Options
    // panel is visible.
    void CloseSplash();

    PictureBox* Picture1 = nullptr;
    PictureBox* Label2 = nullptr; // "Connected Device "
    PictureBox* Model = nullptr;
    PictureBox* Firmware = nullptr;
    PictureBox* Manufacture = nullptr;
    CwButton* CWButton7 = nullptr; // indicator lamp
    PictureBox* lblPlatform = nullptr;
    PictureBox* lblVersion = nullptr;
    PictureBox* lblWarning = nullptr;
    PictureBox* lblWarning2 = nullptr;
    PictureBox* Label1 = nullptr;  // "Click the Mouse Button to Continue"
    CwTimer* SplashTime = nullptr; // 6000 ms, disabled

    static QString versionText(); // "Version 4.0.0"

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Closed by the system: the main window comes up all the same, so that the program is never
    // left running with no window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    PictureBox* addLabel(const QString& text, const QRect& geometry, const char* name);

    Main& main_;
    bool closing_ = false;
};

} // namespace kv
