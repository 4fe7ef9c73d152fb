#pragma once

#include "controls/control_classes.h"
#include "files/layer.h"
#include "files/reference_tip_dialog.h"
#include "files/rules/reference_format.h"
#include "files/rules/text_lines.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class Dialogs;
class ReadOuts;

// Saving a channel trace as a reference (SaveREFCH1, SaveREFCH2), loading one and selecting it
// with the REF button, and the button's tip window.
class ReferenceWaveforms : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // the tip window's parent; its text colour is the REF caption's
        CwButton* SaveREFCH1;
        CwButton* SaveREFCH2;
        CwButton* REF1Button;
        CwGraph* CWGraph1;
        CwKnob* CWKnob1;
        CwKnob* CWKnob2;   // its time/div position is saved with the trace
        QLabel* PeriodVAL; // the volts/div captions, saved when the setting has no caption
        QLabel* PeriodVAL2;
        CwTimer* Timer1;     // read: a running acquisition is stopped first
        CwButton* CWButton1; // Run/Stop
        QLabel* lblVREF;
        QLabel* lblHREF;
        CwButton* CHDISP;
        CwButton* LED1;
        CwButton* LED2;
        CwButton* LED5;
    };

    ReferenceWaveforms(ScopeState& state, GlobalV& global, const Controls& controls,
                       Dialogs& dialogs, ReadOuts& readOuts);

    // Write the channel's trace to `path` after asking before replacing a file; the result is
    // whether the file was there. Reports the outcome in a message box.
    bool SaveREFCH1File(const QString& path) { return saveChannel(1, path); }
    // Reads FilePath into the reference after checking the whole file; a file that cannot be
    // read or fails the check is refused with a message and changes nothing. REF1Button ends
    // off either way. Returns whether the file was loaded.
    bool LoadREFFile();

    void SaveREFCH1_ValueChanged(bool value) { saveButton(1, value); }
    void SaveREFCH2_ValueChanged(bool value) { saveButton(2, value); }
    void REF1Button_DblClick();
    void REF1Button_ValueChanged(bool value);

    // The tip window while it is open.
    frmREFnag* tipWindow() const { return tip_; }
    // When the file was written; tests fix it.
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

  private:
    // A channel's twin controls.
    struct ChannelControls
    {
        CwButton* SaveREF;
        QLabel* PeriodVAL;
    };
    ChannelControls channelControls(int channel) const;

    bool saveChannel(int channel, const QString& path);
    void saveButton(int channel, bool value);
    void readReference(const std::vector<std::string>& lines);

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    Dialogs& dialogs_;
    ReadOuts& readOuts_;
    QPointer<frmREFnag> tip_;
    std::function<QDateTime()> clock_;
};

} // namespace kv
