#pragma once

#include "app/handler_group.h"
#include "link/com_port_numbers.h"

#include <QString>
#include <optional>

namespace kv {

class RegistryView;

// A text value of the registry view, without the terminating NUL it may be stored with; nullopt
// when the key or the value is missing.
std::optional<QString> ReadRegistryText(const RegistryView& registry, const QString& keyPath,
                                        const QString& valueName);
// The same, "" for anything missing.
QString QueryValue(const RegistryView& registry, const QString& keyPath, const QString& valueName);

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
