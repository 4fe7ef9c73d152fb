#pragma once

#include "app/handler_group.h"

#include <QString>
#include <optional>

namespace kv {

class RegistryView;

// Where the USB serial driver names the instrument's port.
inline const QString SerialCommKey = QStringLiteral("Hardware\\Devicemap\\SerialComm");
inline const QString SerialCommValue = QStringLiteral("\\Device\\VCP0");

// A text value of the registry view, without the terminating NUL it may be stored with; nullopt
// when the key or the value is missing.
std::optional<QString> ReadRegistryText(const RegistryView& registry, const QString& keyPath,
                                        const QString& valueName);
// The same, "" for anything missing.
QString QueryValue(const RegistryView& registry, const QString& keyPath, const QString& valueName);

// The port number of a value such as "COM12" (the text after its first three characters);
// nullopt unless that is a whole number from 1 to 256.
std::optional<int> PortFromSerialComm(const QString& value);

// The list position (0 to 255) for a text typed into the COM port list's box: the number minus
// 1, rounded halves to even, kept within the list; nullopt when the text is no number.
std::optional<int> ComListPositionFor(const QString& text);

// The COM port list of the Options panel, the hidden search and select buttons, the double-click
// that reveals the search, and File, "Set COM Port".
class PortSearch : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit PortSearch(Main& main);

    void COMCombo_LostFocus();
    void Image2_DblClick();
    void btnSearchCOMPort_ValueChanged(bool value);
    void btnSelectCOMPort_ValueChanged(bool value);
    void mnuFcom_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The platform check before a search; false when the search must not go on.
    bool platformAllowsSearch();
    void searchRegistry();
};

} // namespace kv
