#include "files/settings_file.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "display/cursors.h"
#include "files/atomic_write.h"
#include "files/file_messages.h"
#include "files/rules/text_lines.h"
#include "link/acquisition.h"
#include "panel/horizontal_position.h"
#include "panel/trigger_level.h"
#include "panel/trigger_source.h"
#include "platform/rules/com_port_map.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_table.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sys/stat.h>
#include <utility>
#include <variant>

namespace kv {

QString autosavePath(const QString& programFolder)
{
    return QDir(autosaveFolder(programFolder)).filePath(AutosaveFileName);
}

QString autosaveFallbackPath(const QString& autosave)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString fallback = QDir(config).filePath(AutosaveFileName);
    if (QFileInfo(fallback).absoluteFilePath() == QFileInfo(autosave).absoluteFilePath())
        return {};
    QDir().mkpath(config);
    return fallback;
}

QString autosaveReadPath(const QString& programFolder)
{
    const QString programFile = QDir(programFolder).filePath(AutosaveFileName);
    const QString writeFile = autosavePath(programFolder);
    const bool writable =
        QFileInfo(writeFile).absolutePath() == QFileInfo(programFile).absolutePath();
    return AutosaveRule(programFile, writeFile, writable, QFileInfo::exists(writeFile)).read;
}

// ---- Conversions of the loader -----------------------------------------------------------------

namespace {

// Thrown where a value cannot be applied: the load ends at that step.
struct LoadStop
{
};

double number(const std::string& line)
{
    const auto value = parseNumberText(line);
    if (!value)
        throw LoadStop{};
    return *value;
}

double number(const Variant& value)
{
    const auto n = value.tryNumber();
    if (!n || !std::isfinite(*n))
        throw LoadStop{};
    return *n;
}

template <class Value> int whole(const Value& value)
{
    const auto n = roundToInt32(number(value));
    if (!n)
        throw LoadStop{};
    return *n;
}

int inRange(int value, int lowest, int highest)
{
    if (value < lowest || value > highest)
        throw LoadStop{};
    return value;
}

bool boolean(const std::string& line)
{
    const auto flag = parseBooleanText(line);
    if (!flag)
        throw LoadStop{};
    return *flag;
}

float single(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw LoadStop{};
    return float(value);
}

int colourOfLine(const std::string& line)
{
    return inRange(whole(line), 0, 0xFFFFFF);
}

// A pointer value kept within the slide's axis.
void setPointer(CwSlide* slide, int pointer, const std::string& line)
{
    const double lo = std::min(slide->axisMinimum(), slide->axisMaximum());
    const double hi = std::max(slide->axisMinimum(), slide->axisMaximum());
    slide->setPointerValue(pointer, std::clamp(number(line), lo, hi));
}

void setKnob(CwKnob* knob, int position)
{
    knob->setPosition(inRange(position, 1, knob->positionCount()));
}

void setSlidePosition(CwSlide* slide, int position)
{
    slide->setPosition(inRange(position, 1, slide->positionCount()));
}

void setPointerVisible(CwSlide* slide, const QString& name, bool visible)
{
    slide->setPointerVisible(slide->pointerIndex(name), visible);
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

using names::PCH1;
using names::PCH2;

} // namespace

// ---- Group -------------------------------------------------------------------------------------

SettingsFile::SettingsFile(ScopeState& state, GlobalV& global, const Controls& controls,
                           Dialogs& dialogs, const QString& programFolder, Cursors& cursors,
                           TriggerLevel& triggerLevel, TriggerSource& triggerSource,
                           HorizontalPosition& horizontalPosition)
    : state_(state), global_(global), ui(controls), dialogs_(dialogs),
      programFolder_(programFolder), cursors_(cursors), triggerLevel_(triggerLevel),
      triggerSource_(triggerSource), horizontalPosition_(horizontalPosition)
{
    connect(ui.CWButton20, &CwButton::valueChanged, this,
            [this](bool v) { CWButton20_ValueChanged(v); });
    connect(ui.CWButton28, &CwButton::valueChanged, this,
            [this](bool v) { CWButton28_ValueChanged(v); });
    connect(ui.mnuFLoad, &QAction::triggered, this, [this] { mnuFLoad_Click(); });
    connect(ui.mnuFSave, &QAction::triggered, this, [this] { mnuFSave_Click(); });
}

SettingsFile::ChannelControls SettingsFile::channelControls(int channel) const
{
    const AttenuationControls& att = ui.attenuation;
    if (channel == 1)
        return {ui.CH1Button,
                ui.LED1,
                ui.CWButton22,
                ui.mnuC1,
                ui.PeriodVAL,
                att.CH1ATT,
                {att.LEDATT1, att.LEDATT1b}};
    return {ui.CH2Button,
            ui.LED2,
            ui.CWButton25,
            ui.mnuC2,
            ui.PeriodVAL2,
            att.CH2ATT,
            {att.LEDATT2, att.LEDATT2b}};
}

// ---- Writing -----------------------------------------------------------------------------------

void SettingsFile::selectLitChannel()
{
    if (global_.ActiveChannel.toNumber() != ReferenceChannel)
        return;
    ui.LED5->setValue(false);
    CwButton* led = ui.LED2->value() ? ui.LED2 : ui.LED1->value() ? ui.LED1 : nullptr;
    if (!led)
        return;
    global_.ActiveChannel = Variant(led == ui.LED2 ? 2 : 1);
    ui.CWKnob2->setEnabled(true);
    led->setOnColor(colour::Green);
}

StatementItem SettingsFile::faceValue(SettingsFace face) const
{
    using F = SettingsFace;
    switch (face) {
    case F::CWSlide5Position:
        return ui.CWSlide5->position();
    case F::CWButton12Value:
        return ui.CWButton12->value();
    case F::CWButton13Value:
        return ui.CWButton13->value();
    case F::CWButton4Value:
        return ui.CWButton4->value();
    case F::CH1ButtonValue:
        return ui.CH1Button->value();
    case F::CH2ButtonValue:
        return ui.CH2Button->value();
    case F::CWSlide2Position:
        return ui.CWSlide2->position();
    case F::CWKnob2Position:
        return ui.CWKnob2->position();
    case F::CWSlide4Pointer1:
        return ui.CWSlide4->pointerValue(1);
    case F::CWSlide4Pointer2:
        return ui.CWSlide4->pointerValue(2);
    case F::CWSlide3Pointer1:
        return ui.CWSlide3->pointerValue(1);
    case F::CWSlide3Pointer2:
        return ui.CWSlide3->pointerValue(2);
    case F::CWSlide6Pointer1:
        return ui.CWSlide6->pointerValue(1);
    case F::CWButton5OffColor:
        return ui.CWButton5->offColor();
    case F::CWButton6OffColor:
        return ui.CWButton6->offColor();
    case F::PeriodVALText:
        return ui.PeriodVAL->text().toStdString();
    case F::PeriodVAL2Text:
        return ui.PeriodVAL2->text().toStdString();
    case F::COMComboIndex:
        return ui.COMCombo->currentIndex();
    }
    return {};
}

SettingsValues SettingsFile::currentValues() const
{
    SettingsValues values;
    for (const SettingsLineRow& row : SettingsLines) {
        const SettingsFace* face = std::get_if<SettingsFace>(&row.value);
        values[std::size_t(row.line - 1)] =
            face ? faceValue(*face) : SettingsStateValue(row.value, state_, global_);
    }
    return values;
}

QString SettingsFile::savePath() const
{
    const QString path = QString::fromStdString(state_.FilePath);
    // An autosave file that could not be read at start is kept as it is.
    if (!keptAutosave_.isEmpty() && path == keptAutosave_)
        return keptAutosaveRedirect_;
    return path;
}

bool SettingsFile::SaveSettingsFile(QString* reason)
{
    global_.FirstRun = Variant(false);
    selectLitChannel();
    const std::string bytes = SettingsFileText(currentValues(), systemDecimalSeparator());
    const QString path = savePath();
    const WriteFailure failure =
        path.isEmpty() ? WriteFailure(QStringLiteral(
                             "The file there could not be read, nor moved aside, and is kept."))
                       : WriteFileAtomically(path, bytes);
    if (failure && reason)
        *reason = *failure;
    return !failure;
}

void SettingsFile::SaveAtExit()
{
    QString reason;
    if (SaveSettingsFile(&reason) || exitFailureTold_)
        return;
    exitFailureTold_ = true;
    const QString path = savePath();
    reportSaveFailure(path.isEmpty() ? QString::fromStdString(state_.FilePath) : path, reason);
}

SettingsFile::SaveOutcome SettingsFile::saveAsking(const QString& path)
{
    if (!ConfirmOverwrite(dialogs_, path))
        return SaveOutcome::Declined;
    QString reason;
    if (SaveSettingsFile(&reason))
        return SaveOutcome::Written;
    reportSaveFailure(path, reason);
    return SaveOutcome::Failed;
}

void SettingsFile::reportSaveFailure(const QString& path, const QString& reason)
{
    dialogs_.MsgBox(QStringLiteral("The settings file could not be saved:\r\n") + path +
                        QStringLiteral("\r\n") + reason,
                    MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Save Settings"));
}

bool SettingsFile::FileRepExistsSET(const QString& path)
{
    const bool existed = QFileInfo::exists(path);
    saveAsking(path);
    return existed;
}

// ---- Reading -----------------------------------------------------------------------------------

namespace {

// The file's lines when it can be read and passes the check; else nullopt and why.
std::optional<SettingsFileContent> readChecked(const QString& path, FileRefusal& refusal)
{
    // Only the head that holds lines 1 to 64 is read; what follows them is not looked at.
    QString reason;
    const auto bytes = ReadFileHead(path, MaxSettingsFileBytes, &reason);
    if (!bytes) {
        refusal = {0, reason, true};
        return std::nullopt;
    }
    SettingsFileContent content = ParseSettingsFileText(*bytes);
    if (const auto fault = CheckSettingsFile(content)) {
        refusal = *fault;
        return std::nullopt;
    }
    return content;
}

// Whether `path` names a regular file once links are followed.
bool isRegularFile(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// "<path>.<tag>", or with ".2", ".3" .. after it, the first name that nothing holds yet.
QString freeNameBeside(const QString& path, const QString& tag)
{
    const QString base = path + QLatin1Char('.') + tag;
    QString name = base;
    for (int n = 2;; ++n) {
        const QFileInfo info(name);
        if (!info.exists() && !info.isSymLink())
            return name;
        name = base + QLatin1Char('.') + QString::number(n);
    }
}

} // namespace

bool SettingsFile::FileRepExistsAST(const QString& path)
{
    // A name that no save can ever reach is moved aside, so that the exit writes a file there.
    bool stuck = false;
    if (const auto fault = unreachableLink(path))
        stuck = !keepAside(path, FileRefusal{0, *fault, true});
    // The autosave file of a read-only program folder may still be the one installed there.
    const QString readPath =
        path == autosavePath(programFolder_) ? autosaveReadPath(programFolder_) : path;
    if (!stuck && QFileInfo::exists(readPath)) {
        FileRefusal refusal;
        if (const auto content = readChecked(readPath, refusal))
            return applyContent(*content);
        // Only a file the exit would write over needs moving.
        if (readPath == path)
            stuck = !keepAside(path, refusal);
    }
    // A file that stays where it is leaves its place to the file the saves go to instead.
    if (stuck && !keptAutosaveRedirect_.isEmpty()) {
        FileRefusal ignored;
        if (const auto content = readChecked(keptAutosaveRedirect_, ignored)) {
            keptAsideNotice_.clear();
            return applyContent(*content);
        }
    }
    ui.Options->setVisible(true);
    ui.CheckCOM->setEnabled(true);
    return false;
}

std::optional<QString> SettingsFile::unreachableLink(const QString& path)
{
    if (!QFileInfo(path).isSymLink())
        return std::nullopt;
    const auto target = FollowLinks(path);
    if (!target)
        return QString::fromLocal8Bit(std::strerror(ELOOP));
    if (!QFileInfo(QFileInfo(*target).absolutePath()).isDir())
        return QStringLiteral("It is a link into a folder that does not exist.");
    return std::nullopt;
}

bool SettingsFile::keepAside(const QString& path, const FileRefusal& refusal)
{
    const QString aside = freeNameBeside(path, refusal.unreadable ? QStringLiteral("unreadable")
                                                                  : QStringLiteral("refused"));
    const QString notice = QStringLiteral("This file was not loaded as an oscilloscope setup "
                                          "file: \r\n") +
                           path + QStringLiteral("\r\n") + refusal.reason + QStringLiteral("\r\n");
    const QString defaults = QStringLiteral(" The program started from its default settings.");
    // rename() moves a file, a folder or a link alike, without reading it.
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) ==
        0) {
        keptAsideNotice_ =
            notice + QStringLiteral("It was kept as ") + aside + QStringLiteral(".") + defaults;
        return true;
    }
    // It stays: the saves go to the configuration folder's file, which the next start reads in
    // its place; where there is none other, they are refused and the exit says so.
    keptAutosave_ = path;
    keptAutosaveRedirect_ = autosaveFallbackPath(path);
    keptAsideNotice_ =
        notice + QStringLiteral("It could not be moved aside and is kept as it is.") +
        (keptAutosaveRedirect_.isEmpty() ? QString()
                                         : QStringLiteral(" The settings are saved in ") +
                                               keptAutosaveRedirect_ + QStringLiteral(".")) +
        defaults;
    return false;
}

void SettingsFile::TellKeptAutosave()
{
    if (keptAsideNotice_.isEmpty())
        return;
    const QString notice = std::exchange(keptAsideNotice_, QString());
    dialogs_.MsgBox(notice, MsgButtons::OK, MsgIcon::Exclamation, AppTitle);
}

bool SettingsFile::LoadSettingsFile()
{
    const QString path = QString::fromStdString(state_.FilePath);
    FileRefusal refusal;
    const auto content = readChecked(path, refusal);
    if (!content) {
        ReportLoadRefusal(dialogs_, QStringLiteral("an oscilloscope setup file"), path,
                          refusal.reason, QStringLiteral("Load Settings"));
        return false;
    }
    return applyContent(*content);
}

bool SettingsFile::applyContent(const SettingsFileContent& content)
{
    StoreSettingsFields(content, state_, global_);
    // The check has passed every value that a step converts, so the steps run to the end; the
    // catch is the guard of a step the check does not cover.
    try {
        apply(content);
        return true;
    } catch (const LoadStop&) {
    } catch (const std::exception&) {
    }
    return false;
}

void SettingsFile::apply(const SettingsFileContent& c)
{
    namespace L = SettingsLine;
    ScopeState& s = state_;
    // The fields stored from the file are in place: every handler that the steps below run by
    // setting a control reads them. A line that cannot be converted ends the load at its step.
    // Gains and plot scales; an empty gain line (a file of the older kind) takes its default.
    const auto gain = [&](int line, float fallback) {
        return c.line(line).empty() ? fallback : single(number(c.line(line)));
    };
    s.GainLo = gain(L::GainLo, 1.0f);
    s.GainHi = gain(L::GainHi, 1.0f);
    s.GainLoRev2 = gain(L::GainLoRev2, 1.0f);
    s.GainHiRev2 = gain(L::GainHiRev2, 1.0196081f);
    s.PlotScaleCH1 = number(c.line(L::PlotScaleCH1));
    s.PlotScaleCH2 = number(c.line(L::PlotScaleCH2));
    // The port list's own handler selects the port.
    ui.COMCombo->setCurrentIndex(inRange(whole(c.line(L::COMIndex)), -1, ui.COMCombo->count() - 1));
    // Cursor colours, each on its button, its read-out swatch and its placement button.
    const int a = colourOfLine(c.line(L::CursorAColor));
    for (CwButton* b : {ui.CWButton5, ui.CWButton24, ui.btnAPOS})
        b->setOffColor(a);
    const int b = colourOfLine(c.line(L::CursorBColor));
    for (CwButton* button : {ui.CWButton6, ui.CWButton23, ui.btnBPOS})
        button->setOffColor(b);
    // Pointers and the time/div knob (its handler sets the time base), then the horizontal
    // trigger marker by the stored trigger position.
    applyPointers(c);
    s.FramePlotted = boolean(c.line(L::FramePlotted));
    setKnob(ui.CWKnob2, whole(c.line(L::TimeDiv)));
    horizontalPosition_.HTrigPos();
    // The trigger source, then the trigger level worked out anew from the pointers set above.
    applyTrigSource(c);
    triggerLevel_.TrigLevelOffset();
    triggerLevel_.TrigLevel();
    // The volts/div knob at the stored index; its handler sets the selected channel's volts/div,
    // range and plot scale.
    ui.CWKnob1->setEnabled(true);
    setKnob(ui.CWKnob1, whole(s.VdivIndex));
    // The trigger edge and mode, the acquisition mode and the mouse action, each through its
    // handler as a press would; the frame's mode bit follows the mode switch.
    ui.CWButton12->setValue(boolean(c.line(L::TrigEdge)));
    const bool autoMode = boolean(c.line(L::TrigMode));
    ui.CWButton13->setValue(autoMode);
    s.TrigModeBit = autoMode ? "1" : "0";
    ui.CWButton4->setValue(boolean(c.line(L::AcquireMode)));
    setSlidePosition(ui.CWSlide2, whole(c.line(L::CursorAction)));
    // The channels: their switches, then what their handlers left is set to the file's state
    // (indicators, lamps, the selected channel, captions); the view is centred whatever line 41
    // held.
    applyChannel(1, c);
    applyChannel(2, c);
    applyActiveChannel();
    applyEnableBits();
    ui.CWSlide6->setPointerValue(1, 750);
    applyCaptions();
    // The tip and hardware-check switches, then the attenuation: the factors of lines 59 and 60,
    // then the captions of a factor other than 1 and 2.
    global_.ShowRefTip = boolean(c.line(L::ShowRefTip));
    global_.ShowHardwareCheck = boolean(c.line(L::ShowHardwareCheck));
    applyAttenuation(1, c.line(L::ATTCH1));
    applyAttenuation(2, c.line(L::ATTCH2));
    state_.ATTValueCH1 = 2.0f;
    state_.ATTValueCH2 = 2.0f;
    applyAttenuationText(1);
    applyAttenuationText(2);
}

void SettingsFile::applyPointers(const SettingsFileContent& c)
{
    namespace L = SettingsLine;
    setPointer(ui.CWSlide4, 1, c.line(L::VPosCH1));
    setPointer(ui.CWSlide4, 2, c.line(L::VPosCH2));
    setPointer(ui.CWSlide3, 1, c.line(L::TrigPointer1));
    setPointer(ui.CWSlide3, 2, c.line(L::TrigPointer2));
    setPointer(ui.CWSlide6, 1, c.line(L::HorizontalView));
}

void SettingsFile::applyTrigSource(const SettingsFileContent& c)
{
    setSlidePosition(ui.CWSlide5, whole(c.line(SettingsLine::TrigSourcePosition)));
    const int position = ui.CWSlide5->position();
    if (position == 1 || position == 2) {
        applyTriggerChannel(position);
        return;
    }
    if (position == 3)
        triggerSource_.ApplyExternalSource();
}

void SettingsFile::applyTriggerChannel(int channel)
{
    triggerSource_.ApplyChannelSource(channel);
    ui.CWSlide3->setPointerVisible(1, channel == 1);
    ui.CWSlide3->setPointerVisible(2, channel == 2);
    const QLatin1String T = names::CursorT;
    ui.CWGraph1->setCursorColor(T, ui.CWGraph1->plotColor(ui.CWGraph1->plotName(channel)));
    ui.CWGraph1->setCursorVisible(T, true);
    ui.TriggerTimer->setEnabled(true);
}

void SettingsFile::applyChannel(int channel, const SettingsFileContent& c)
{
    const bool first = channel == 1;
    const ChannelControls twin = channelControls(channel);
    twin.button->setValue(
        boolean(c.line(first ? SettingsLine::CH1Button : SettingsLine::CH2Button)));
    if (channelState(state_, channel).EnableBits != "0001")
        return;
    twin.indicator->setVisible(true);
    twin.indicator->setOffColor(first ? colour::Blue : colour::Red);
    twin.menuItem->setChecked(true);
    twin.caption->setVisible(true);
    twin.caption->setText(text(c.line(first ? SettingsLine::PeriodVAL : SettingsLine::PeriodVAL2)));
    ui.CWGraph1->setPlotVisible(names::channelPlot(channel), true);
    setPointerVisible(ui.CWSlide4, names::VCH1, true);
    setPointerVisible(ui.CWSlide4, names::VCH2, true);
    setPointerVisible(ui.CWSlide4, names::VREF1, false);
    // Lights the other channel's lamp yellow; the enable bits switch it off again if needed.
    CwButton* otherLed = channelControls(first ? 2 : 1).led;
    otherLed->setValue(true);
    otherLed->setOnColor(colour::Yellow);
    cursors_.Cursor();
}

void SettingsFile::applyActiveChannel()
{
    const double active = number(global_.ActiveChannel);
    if (active != 1 && active != 2)
        return;
    const bool first = active == 1;
    CwButton* led = channelControls(first ? 1 : 2).led;
    led->setOnColor(colour::Green);
    led->setValue(true);
    const int traceColour = first ? colour::Blue : colour::Red;
    ui.CWKnob1->setPointerColor(1, traceColour);
    ui.CWKnob2->setPointerColor(1, traceColour);
    ui.CHDISP->setOffColor(traceColour);
    ui.CHDISP->setTextColor(first ? colour::White : 0);
    ui.CHDISP->setOffText(first ? QStringLiteral("CH1") : QStringLiteral("CH2"));
    ui.CWGraph1->setPlotLineWidth(PCH1, first ? 2 : 1);
    ui.CWGraph1->setPlotLineWidth(PCH2, first ? 1 : 2);
}

void SettingsFile::applyEnableBits()
{
    const bool off1 = state_.CH1EnableBits == "0000";
    const bool off2 = state_.CH2EnableBits == "0000";
    if (off1)
        ui.LED1->setValue(false);
    if (off2)
        ui.LED2->setValue(false);
    if (off1 && off2) {
        ui.CWKnob1->setEnabled(false);
        ui.CHDISP->setVisible(false);
    }
}

void SettingsFile::applyCaptions()
{
    const auto caption = [](const Variant& index) -> const char* {
        const double i = number(index);
        for (int k = 1; k <= VoltsDivPositions; ++k) {
            if (i == k)
                return voltsDivRow(k)->label;
        }
        return nullptr;
    };
    if (const char* c = caption(state_.VdivIndexCH1)) {
        ui.PeriodVAL->setText(QString::fromLatin1(c));
        if (number(state_.VdivIndexCH1) == 6)
            state_.CH1RangeBit = "1";
    }
    if (const char* c = caption(state_.VdivIndexCH2))
        ui.PeriodVAL2->setText(QString::fromLatin1(c));
}

void SettingsFile::applyAttenuation(int channel, const std::string& line)
{
    double value = line.empty() ? 20.0 : number(line);
    if (value == 0)
        value = 20.0;
    const float factor = single(value / 20.0);
    const ChannelShared shared = channelShared(global_, channel);
    shared.ATTFactor = factor;
    if (factor == 1.0f)
        return;
    for (CwButton* led : channelControls(channel).attenuatorLeds)
        led->setOffColor(colour::Green);
    shared.ATTOn = true;
}

void SettingsFile::applyAttenuationText(int channel)
{
    const ChannelShared shared = channelShared(global_, channel);
    const float factor = shared.ATTFactor;
    if (factor == 1.0f || factor == 2.0f)
        return;
    for (CwButton* led : channelControls(channel).attenuatorLeds)
        led->setOffColor(colour::Red);
    shared.ATTOn = true;
    ui.attenuation.Frame2->setTitle(QStringLiteral("X Volt Attenuation"));
    float& value = channelState(state_, channel).ATTValue;
    value = factor * 20.0f;
    CwButton* toggle = channelControls(channel).attenuation;
    const QString caption = text(singleToText(value)) + QStringLiteral(" Attenuation");
    toggle->setOnText(caption);
    toggle->setOffText(caption);
    value = factor;
}

// ---- Buttons and menu items --------------------------------------------------------------------

namespace {

FileDialogRequest settingsDialog(const char* title)
{
    FileDialogRequest request;
    request.title = QString::fromLatin1(title);
    request.filter = QStringLiteral("Oscilloscope Setup File (*.set)|*.set");
    request.flags = FileFlagHideReadOnly;
    return request;
}

} // namespace

void SettingsFile::CWButton20_ValueChanged(bool value)
{
    if (!value)
        return;
    ui.Options->setVisible(false);
    const auto chosen = dialogs_.ShowSave(settingsDialog("Save Settings"));
    if (chosen && !chosen->fileName.isEmpty()) {
        state_.FilePath = chosen->fileName.toStdString();
        // The face is rebuilt from the file just written (or kept, when No was answered). What
        // went to a pipe or a device cannot be read back: the face already shows it.
        if (saveAsking(chosen->fileName) != SaveOutcome::Failed && isRegularFile(chosen->fileName))
            LoadSettingsFile();
    }
    ui.CWButton20->setValue(false);
}

void SettingsFile::CWButton28_ValueChanged(bool value)
{
    if (!value)
        return;
    ui.Options->setVisible(false);
    const auto chosen = dialogs_.ShowOpen(settingsDialog("Load Settings"));
    if (chosen && !chosen->fileName.isEmpty()) {
        state_.FilePath = chosen->fileName.toStdString();
        LoadSettingsFile();
    }
    ui.CWButton28->setValue(false);
}

void SettingsFile::mnuFLoad_Click()
{
    ui.CWButton1->setValue(false);
    ui.CWButton28->setValue(true);
    ui.CheckCOM->setEnabled(true);
}

void SettingsFile::mnuFSave_Click()
{
    ui.CWButton1->setValue(false);
    ui.CWButton20->setValue(true);
}

} // namespace kv
