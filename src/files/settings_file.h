#pragma once

#include "controls/control_classes.h"
#include "files/attenuation_controls.h"
#include "files/layer.h"
#include "files/rules/autosave_rule.h"
#include "files/rules/settings_format.h"
#include "files/rules/text_lines.h"
#include "platform/rules/runtime_rules.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class Cursors;
class Dialogs;
class HorizontalPosition;
class TriggerLevel;
class TriggerSource;

// The autosave file's path for writing, and for reading at start-up.
QString autosavePath(const QString& programFolder);
QString autosaveReadPath(const QString& programFolder);
// Where the saves to the autosave file `autosave` go while it cannot be moved aside: the user's
// configuration folder's autosave file; empty when that is `autosave` itself.
QString autosaveFallbackPath(const QString& autosave);

// ---- The group ---------------------------------------------------------------------------------

// The settings file: the autosave file and the user's *.set files, the Save Settings and Load
// Settings buttons and the File menu's load and save items.
class SettingsFile : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null. Most are read for the file and set by the
    // loader.
    struct Controls
    {
        CwButton* CWButton20; // Save Settings
        CwButton* CWButton28; // Load Settings
        QAction* mnuFLoad;
        QAction* mnuFSave;
        PictureBox* Options;
        CwTimer* CheckCOM;   // the link watch, enabled where no settings were loaded
        CwButton* CWButton1; // Run/Stop, switched off by the menu items
        QComboBox* COMCombo;
        // Trigger and acquisition
        CwSlide* CWSlide5;
        CwButton* CWButton12;
        CwButton* CWButton13;
        CwButton* CWButton4;
        CwSlide* CWSlide3;
        CwTimer* TriggerTimer;
        // Channels, time/div and volts/div
        CwButton* CH1Button;
        CwButton* CH2Button;
        CwButton* LED1;
        CwButton* LED2;
        CwButton* LED5;
        CwButton* CWButton22; // channel indicators
        CwButton* CWButton25;
        QAction* mnuC1;
        QAction* mnuC2;
        QLabel* PeriodVAL; // volts/div captions
        QLabel* PeriodVAL2;
        CwButton* CHDISP;
        CwKnob* CWKnob1;
        CwKnob* CWKnob2;
        // The view and the cursors
        CwGraph* CWGraph1;
        CwSlide* CWSlide2;
        CwSlide* CWSlide4;
        CwSlide* CWSlide6;
        CwButton* CWButton5; // cursor A colour, and its swatches
        CwButton* CWButton24;
        CwButton* btnAPOS;
        CwButton* CWButton6; // cursor B colour, and its swatches
        CwButton* CWButton23;
        CwButton* btnBPOS;
        AttenuationControls attenuation;
    };

    SettingsFile(ScopeState& state, GlobalV& global, const Controls& controls, Dialogs& dialogs,
                 const QString& programFolder, Cursors& cursors, TriggerLevel& triggerLevel,
                 TriggerSource& triggerSource, HorizontalPosition& horizontalPosition);

    // Writes the current state to FilePath (through a temporary file, so a failure leaves the
    // previous file intact). Returns false on failure with the reason in `reason`.
    bool SaveSettingsFile(QString* reason = nullptr);
    // Loads the file named by FilePath and drives the controls into its state, after checking
    // the whole file: a file that cannot be read or fails the check is refused with a message
    // naming the file and the line at fault, and nothing changes. Returns whether it was loaded.
    bool LoadSettingsFile();
    // Start-up's check of the autosave file: present and sound, it is loaded (True); absent, or
    // present but unreadable or refused, the Options panel is shown and the link watch enabled
    // (False), and a file that could not be loaded is moved aside (R7S.ast.unreadable,
    // R7S.ast.refused) so that the exit's save does not replace it. So is a link that no save
    // can reach (a loop, a link into a missing folder). A file that cannot be moved stays, and
    // the saves go to autosaveFallbackPath, which is read in its place. Says nothing: the user
    // is told by TellKeptAutosave.
    bool FileRepExistsAST(const QString& path);
    // Once, after start-up has returned: tells which autosave file start-up kept aside, and why.
    // Says nothing when it kept none.
    void TellKeptAutosave();
    // The save of every exit, to FilePath, without a question; the first failure is told.
    void SaveAtExit();
    // The Save Settings button's write: asks before replacing an existing file. Returns whether
    // the file was there.
    bool FileRepExistsSET(const QString& path);

    void CWButton20_ValueChanged(bool value);
    void CWButton28_ValueChanged(bool value);
    void mnuFLoad_Click();
    void mnuFSave_Click();

  private:
    enum class SaveOutcome
    {
        Written,
        Declined,
        Failed
    };

    // A channel's twin controls.
    struct ChannelControls
    {
        CwButton* button;                        // CH1Button, CH2Button
        CwButton* led;                           // LED1, LED2
        CwButton* indicator;                     // CWButton22, CWButton25
        QAction* menuItem;                       // mnuC1, mnuC2
        QLabel* caption;                         // PeriodVAL, PeriodVAL2
        CwButton* attenuation;                   // CH1ATT, CH2ATT
        std::array<CwButton*, 2> attenuatorLeds; // LEDATT1 and LEDATT1b, LEDATT2 and LEDATT2b
    };
    ChannelControls channelControls(int channel) const;

    SaveOutcome saveAsking(const QString& path);
    bool applyContent(const SettingsFileContent& content);
    // Why `path` is a link that no save can reach, or nullopt.
    static std::optional<QString> unreachableLink(const QString& path);
    // Moves the autosave file at `path` aside (true), or redirects the saves to it; keeps the
    // notice for TellKeptAutosave.
    bool keepAside(const QString& path, const FileRefusal& refusal);
    // Where a save to FilePath goes; empty when it must not be written.
    QString savePath() const;
    void reportSaveFailure(const QString& path, const QString& reason);
    void selectLitChannel();
    // The value a save writes for a line held by a face control.
    StatementItem faceValue(SettingsFace face) const;
    SettingsValues currentValues() const;
    void apply(const SettingsFileContent& content);
    void applyPointers(const SettingsFileContent& content);
    void applyTrigSource(const SettingsFileContent& content);
    void applyTriggerChannel(int channel);
    void applyChannel(int channel, const SettingsFileContent& content);
    void applyActiveChannel();
    void applyEnableBits();
    void applyCaptions();
    void applyAttenuation(int channel, const std::string& line);
    void applyAttenuationText(int channel);

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    Dialogs& dialogs_;
    const QString programFolder_;
    Cursors& cursors_;
    TriggerLevel& triggerLevel_;
    TriggerSource& triggerSource_;
    HorizontalPosition& horizontalPosition_;

    // An autosave file that could not be loaded at start and could not be moved aside, and the
    // file that the saves to it go to instead (empty: none, they are refused).
    QString keptAutosave_;
    QString keptAutosaveRedirect_;
    QString keptAsideNotice_;      // what TellKeptAutosave says, until it has said it
    bool exitFailureTold_ = false; // a failed save at exit is told once
};

} // namespace kv
