#pragma once

#include "app/handler_group.h"
#include "files/reference_tip_dialog.h"
#include "files/text_lines.h"

#include <QDateTime>
#include <QLocale>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct SampleArrays;

// ---- The reference waveform file (*.rfw) -------------------------------------------------------
// Write statement lines, CR LF after each: the volts/div caption, the time/div text, the
// vertical position, the plot scale, the doubled-layout flag, 1500 trace values, the time stamp.

inline constexpr int ReferenceSampleCount = 1500;
inline constexpr int ReferenceHeaderLines = 5;
inline constexpr int ReferenceDataLines = ReferenceHeaderLines + ReferenceSampleCount;

enum class ReferenceLayout
{
    Doubled750,    // fastest timebase, both traces shown: 750 points, each written twice
    SingleChannel, // fastest timebase, one trace: the shown channel is in the CH1 arrays
    TwoChannel,    // other timebases: each channel's own 1500 points
};

ReferenceLayout ChooseReferenceLayout(int timeDivPosition, bool bothTracesShown);

// "50uS" .. "1S" by the time/div knob position 1..14; "" for another position.
std::string ReferenceTimeDivText(int timeDivPosition);

// The 1500 values a channel's file holds in a layout.
std::vector<double> ReferenceTrace(int channel, ReferenceLayout layout,
                                   const SampleArrays& samples);

struct ReferenceWaveform
{
    std::string voltsDiv; // caption of the channel's volts/div label
    std::string timeDiv;
    float verticalPosition = 0;
    double plotScale = 0;
    bool dualChannel = false;
    std::vector<double> samples; // 1500 values
};

std::string ReferenceFileText(const ReferenceWaveform& waveform, const QDateTime& when,
                              const QLocale& locale = QLocale::system());

// The largest reference file the reader looks at.
inline constexpr std::size_t MaxReferenceFileBytes = 4 * 1024 * 1024;

// Checks the lines a load reads (the time stamp after them is not read): the two captions are
// texts in double quotes, the position is a number, the plot scale a number above 0, the flag
// True or False, and every sample a number whose count, (sample - position) / scale, is
// finite. nullopt when the file can be loaded, else the first line at fault.
std::optional<FileRefusal> CheckReferenceFile(const TextLines& lines);

// ---- The group
// -----------------------------------------------------------------------------------

// Saving a channel trace as a reference (SaveREFCH1, SaveREFCH2), loading one and selecting it
// with the REF button, and the button's tip window.
class ReferenceWaveforms : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit ReferenceWaveforms(Main& main);

    // Write the channel's trace to `path` after asking before replacing a file; the result is
    // whether the file was there. Reports the outcome in a message box.
    bool SaveREFCH1File(const QString& path) { return saveChannel(1, path); }
    bool SaveREFCH2File(const QString& path) { return saveChannel(2, path); }
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
    bool saveChannel(int channel, const QString& path);
    void saveButton(int channel, bool value);
    void readReference(const std::vector<std::string>& lines);

    QPointer<frmREFnag> tip_;
    std::function<QDateTime()> clock_;
};

} // namespace kv
