#pragma once

#include "app/handler_group.h"
#include "files/autosave_rule.h"
#include "files/settings_format.h"
#include "files/text_lines.h"
#include "platform/runtime_rules.h"

#include <QString>
#include <array>
#include <string>
#include <string_view>

namespace kv {

class CwButton;

// The autosave file's path for writing, and for reading at start-up.
QString autosavePath(const QString& programFolder);
QString autosaveReadPath(const QString& programFolder);

// ---- The group ---------------------------------------------------------------------------------

// The settings file: the autosave file and the user's *.set files, the Save Settings and Load
// Settings buttons and the File menu's load and save items.
class SettingsFile : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit SettingsFile(Main& main);

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
    // R7S.ast.refused) so that the exit's save does not replace it. Says nothing.
    bool FileRepExistsAST(const QString& path);
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

    SaveOutcome saveAsking(const QString& path);
    bool applyContent(const SettingsFileContent& content);
    void keepAside(const QString& path, bool unreadable);
    void reportSaveFailure(const QString& reason);
    void selectLitChannel();
    SettingsValues currentValues() const;
    void storeFields(const SettingsFileContent& content);
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
    std::array<CwButton*, 2> attenuatorLeds(int channel) const;

    // An autosave file that could not be loaded at start and could not be moved aside, and the
    // name beside it that the saves to it go to instead.
    QString keptAutosave_;
    QString keptAutosaveRedirect_;
};

} // namespace kv
