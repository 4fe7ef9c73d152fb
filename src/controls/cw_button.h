#pragma once

#include "controls/layer.h"

#include <QString>
#include <QWidget>

namespace kv {

// Button of the instrument face; the same control serves as push button, switch and LED.
//
// value() is its boolean state. Changing it, from code (setValue) or by the user, emits
// valueChanged(newValue) at once, through a direct connection, before setValue returns; setting
// the value it already has emits nothing. The mechanical action decides what the mouse does:
//   1 (ActionSwitch):            a click (press and release over the button) toggles the value
//                                at the release;
//   2 (ActionSwitchWhenPressed): the press toggles the value; the release changes nothing.
// A command button (setCommand) starts a command instead: a click runs it at the release, and
// whenever its value turns on (a click, a menu item, code) it switches itself back off once its
// handler has returned, so it never stays on and each press acts once, whatever the command did
// (a message box, a cancelled dialog, nothing at all).
// Indicators (LEDs by default) ignore the mouse for their value but still report clicks.
class CwButton : public QWidget
{
    Q_OBJECT

  public:
    enum class Style
    {
        PushButton,       // rectangular key, caption = on or off text
        LightPushButton,  // key with a lamp strip that is lit while the value is on
        VerticalSwitch,   // slide switch, lever up when on
        HorizontalSwitch, // slide switch, lever right when on
        RoundLed,         // round lamp, glowing in the on colour when on
        SquareLed,        // square lamp
    };
    static constexpr int ActionSwitch = 1;
    static constexpr int ActionSwitchWhenPressed = 2;

    explicit CwButton(QWidget* parent = nullptr);
    CwButton(Style style, QWidget* parent = nullptr);

    bool value() const { return value_; }
    void setValue(bool value);

    int mechanicalAction() const { return action_; }
    void setMechanicalAction(int code);

    bool isCommand() const { return command_; }
    void setCommand(bool command);

    Style style() const { return style_; }
    void setStyle(Style style);

    // An indicator's value changes only from code; clicks are still reported.
    void setIndicator(bool indicator);

    QString onText() const { return onText_; }
    void setOnText(const QString& text);
    QString offText() const { return offText_; }
    void setOffText(const QString& text);
    // Sets both texts.
    void setCaption(const QString& text);

    // Colours as 0xBBGGRR integers.
    int onColor() const { return onColor_; }
    void setOnColor(int bgr);
    int offColor() const { return offColor_; }
    void setOffColor(int bgr);
    int textColor() const { return textColor_; }
    void setTextColor(int bgr);

    // The caption or lamp colour shown for the current value.
    QString currentText() const { return value_ ? onText_ : offText_; }
    int currentColor() const { return value_ ? onColor_ : offColor_; }

    // Paints at once (the runtime's "repaint now").
    void repaintNow();

    QSize sizeHint() const override;

  Q_SIGNALS:
    void valueChanged(bool value);
    void clicked();
    void doubleClicked();
    void mouseMove();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void applyValue(bool value);

    Style style_ = Style::PushButton;
    bool value_ = false;
    int action_ = ActionSwitch;
    bool indicator_ = false;
    bool command_ = false;
    bool pressed_ = false;
    QString onText_;
    QString offText_;
    int onColor_ = 0x00FF00;
    int offColor_ = 0x404040;
    int textColor_ = 0xFFFFFF;
};

} // namespace kv
