#pragma once

#include "app/handler_group.h"
#include "files/text_lines.h"
#include "platform/runtime_rules.h"

#include <QString>
#include <array>
#include <string>
#include <string_view>

namespace kv {

class CwButton;

// ---- The settings file format ----------------------------------------------------------------
// 64 lines, one value each in the Print statement form, each ending in CR LF. A line's meaning
// is its number. Files of the older kind end after line 58.

inline constexpr int SettingsFileLines = 64;
inline constexpr int SettingsRequiredLines = 58;

// Line numbers (1-based) of the values.
namespace SettingsLine {
enum : int
{
    TrigSourceBits = 1,
    TrigSourcePosition = 2, // CWSlide5
    TrigSlopeBits = 3,
    TrigEdgeText = 4,
    TrigSourceText = 5,
    TrigSlopeSaved = 6,
    TrigEdge = 7, // CWButton12
    TrigMode = 8, // CWButton13
    TrigLevelCH1 = 9,
    TrigLevelCH2 = 10,
    AcquireMode = 11, // CWButton4
    CH1RangeBit = 12,
    CH2RangeBit = 13,
    VdivIndexCH1 = 14,
    VdivIndexCH2 = 15,
    VdivCH1 = 16,
    VdivCH2 = 17,
    VdivOldCH1 = 18,
    VdivOldCH2 = 19,
    CH1EnableBits = 20,
    CH2EnableBits = 21,
    CH1Button = 22,
    CH2Button = 23,
    FastChannelBits = 24,
    FramePlotted = 25,
    XAxisMax = 26,
    XAxisMin = 27,
    XAxisMax2 = 28,
    XAxisMin2 = 29,
    CursorAction = 30, // CWSlide2
    ActiveChannel = 31,
    TimeDiv = 32, // CWKnob2
    TimebaseCode = 33,
    VdivIndex = 34,
    PlotScaleCH1 = 35,
    PlotScaleCH2 = 36,
    VPosCH1 = 37,        // CWSlide4 pointer 1
    VPosCH2 = 38,        // CWSlide4 pointer 2
    TrigPointer1 = 39,   // CWSlide3 pointer 1
    TrigPointer2 = 40,   // CWSlide3 pointer 2
    HorizontalView = 41, // CWSlide6 pointer 1
    CursorAColor = 42,   // CWButton5 off colour
    CursorBColor = 43,   // CWButton6 off colour
    PeriodVAL = 44,
    PeriodVAL2 = 45,
    COMIndex = 46, // COMCombo
    TrigPosByte1 = 47,
    TrigPosByte2 = 48,
    TrigPosByte3 = 49,
    TrigPosByte4 = 50,
    HTrigPosition = 51,
    FirstRun = 52,
    CalOffsetCH1Lo = 53,
    CalOffsetCH1Hi = 54,
    CalOffsetCH2Lo = 55,
    CalOffsetCH2Hi = 56,
    ShowRefTip = 57,
    ShowHardwareCheck = 58,
    ATTCH1 = 59, // ATTFactorCH1 x 20
    ATTCH2 = 60,
    GainLo = 61,
    GainHi = 62,
    GainLoRev2 = 63,
    GainHiRev2 = 64,
};
} // namespace SettingsLine

// The values of lines 1 to 64, index 0 holding line 1.
using SettingsValues = std::array<StatementItem, SettingsFileLines>;

// The file's text: each value in the Print statement form with `decimalSeparator`, CR LF after
// each.
std::string SettingsFileText(const SettingsValues& values, char decimalSeparator = '.');

// What a reader holds after reading a file: the lines read (index 0 holding line 1; lines not
// read are empty), how many were read, and whether the file is complete (58 lines or more).
// `longLine` is the number of a line longer than the reader's cap, `extraLine` that of the first
// line after line 64 that holds more than blanks (0: none).
struct SettingsFileContent
{
    std::array<std::string, SettingsFileLines> lines;
    int count = 0;
    bool complete = false;
    int longLine = 0;
    int extraLine = 0;
    const std::string& line(int number) const { return lines[std::size_t(number - 1)]; }
};

// Reads the held lines from a file's text. A line longer than the reader's cap ends the reading
// there, as the end of the file does.
SettingsFileContent ParseSettingsFileText(std::string_view text);

// Checks every line that a load stores or applies, so that a load either applies the whole file
// or changes nothing: the bit strings are strings of "0" and "1" of their length, the trigger
// texts one of their values, positions and indices whole numbers in their ranges, numbers
// finite, volts/div, plot scales and gains above 0; lines 59 to 64 may be missing or empty.
// nullopt when the file can be loaded, else the first line at fault.
std::optional<FileRefusal> CheckSettingsFile(const SettingsFileContent& content,
                                             char decimalSeparator = '.');

// The largest settings file the reader looks at; the bytes after it are not read.
inline constexpr std::size_t MaxSettingsFileBytes = 64 * 1024;

// ---- Where the autosave file lives -----------------------------------------------------------
// Written in the program folder while it is writable, else in the user's configuration folder.
// Read from where it is written; when that is the configuration folder and no file is there
// yet, the program folder's file (one installed with the program) is read instead.

inline const QString AutosaveFileName = QStringLiteral("R7S.ast");

struct AutosavePaths
{
    QString read;
    QString write;
};

AutosavePaths AutosaveRule(const QString& programFile, const QString& configFile,
                           bool programFolderWritable, bool configFileExists);

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
