#pragma once

#include "app/handler_group.h"
#include "files/reference_format.h"
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
