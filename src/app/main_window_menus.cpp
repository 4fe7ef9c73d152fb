#include "app/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <span>

namespace kv {

QAction* Main::addItem(QMenu* menu, QAction*& item, const char* name, const QString& caption,
                       const QKeySequence& shortcut)
{
    item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WindowShortcut);
    addAction(item); // shortcuts work while the menu bar is not open
    menuItems_.push_back(item);
    return item;
}

QAction* Main::addMarkedItem(QMenu* menu, QAction*& item, const char* name, const QString& caption)
{
    addItem(menu, item, name, caption);
    // Check marks change only from code: undo the toggle a click makes before any handler runs.
    item->setCheckable(true);
    connect(item, &QAction::triggered, item, [a = item](bool checked) { a->setChecked(!checked); });
    return item;
}

QAction* Main::addSeparator(QMenu* menu, QAction*& item, const char* name)
{
    item = menu->addSeparator();
    item->setObjectName(QString::fromLatin1(name));
    menuItems_.push_back(item);
    return item;
}

QMenu* Main::addSubmenu(QMenu* parent, QMenu*& menu, const char* name, const QString& caption)
{
    menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menuItems_.push_back(menu->menuAction());
    return menu;
}

void Main::buildMenus()
{
    addSubmenu(nullptr, mnuFile, "mnuFile", QStringLiteral("&File"));
    addItem(mnuFile, mnuFDefault, "mnuFDefault", QStringLiteral("&Load Default Settings"));
    addSeparator(mnuFile, mnuHBar0, "mnuHBar0");
    addItem(mnuFile, mnuFLoad, "mnuFLoad", QStringLiteral("&Load Settings"), Qt::Key_F2);
    addItem(mnuFile, mnuFSave, "mnuFSave", QStringLiteral("&Save Settings"), Qt::Key_F4);
    addSeparator(mnuFile, mnuFBar0, "mnuFBar0");
    addItem(mnuFile, mnuFBMP, "mnuFBMP", QStringLiteral("Save &BMP As..."),
            QKeySequence(QStringLiteral("Ctrl+S")));
    addItem(mnuFile, mnuFExport, "mnuFExport", QStringLiteral("Export &Data As..."),
            QKeySequence(QStringLiteral("Ctrl+D")));
    addItem(mnuFile, mnuFPrint, "mnuFPrint", QStringLiteral("&Print"),
            QKeySequence(QStringLiteral("Ctrl+P")));
    addItem(mnuFile, mnuFPrivew, "mnuFPrivew", QStringLiteral("Print Pre&view"));
    addSeparator(mnuFile, mnuFBar1, "mnuFBar1");
    addItem(mnuFile, mnuFcal, "mnuFcal", QStringLiteral("Calibrate"), Qt::Key_F11);
    addItem(mnuFile, mnuFcom, "mnuFcom", QStringLiteral("Set COM Port"), Qt::Key_F12);
    addSeparator(mnuFile, mnuFBar2, "mnuFBar2");
    addItem(mnuFile, mnuFExit, "mnuFExit", QStringLiteral("&Exit"),
            QKeySequence(QStringLiteral("Ctrl+E")));

    addSubmenu(nullptr, mnuTriger, "mnuTriger", QStringLiteral("&Trigger"));
    addSubmenu(mnuTriger, mnuTSource, "mnuTSource", QStringLiteral("&Source"));
    addMarkedItem(mnuTSource, mnuTSCh1, "mnuTSCh1", QStringLiteral("Channel &1"));
    addMarkedItem(mnuTSource, mnuTSCh2, "mnuTSCh2", QStringLiteral("Channel &2"));
    addMarkedItem(mnuTSource, mnuTSExt, "mnuTSExt", QStringLiteral("&External Trigger"));
    addSubmenu(mnuTriger, mnuTEdge, "mnuTEdge", QStringLiteral("&Edge"));
    addMarkedItem(mnuTEdge, mnuTRising, "mnuTRising", QStringLiteral("&Rising"));
    addMarkedItem(mnuTEdge, mnuTFalling, "mnuTFalling", QStringLiteral("&Falling"));
    addSubmenu(mnuTriger, mnuTMode, "mnuTMode", QStringLiteral("&Mode"));
    addMarkedItem(mnuTMode, mnuTAuto, "mnuTAuto", QStringLiteral("&Auto"));
    addMarkedItem(mnuTMode, mnuTNormal, "mnuTNormal", QStringLiteral("&Normal"));
    addSubmenu(mnuTriger, mnuTHor, "mnuTHor", QStringLiteral("&Horizontal Position"));
    addMarkedItem(mnuTHor, mnuTH10, "mnuTH10", QStringLiteral("10%"));
    addMarkedItem(mnuTHor, mnuTH50, "mnuTH50", QStringLiteral("50%"));
    addMarkedItem(mnuTHor, mnuTH90, "mnuTH90", QStringLiteral("90%"));

    addSubmenu(nullptr, mnuAcqusition, "mnuAcqusition", QStringLiteral("Ac&quisiton"));
    addMarkedItem(mnuAcqusition, mnuASingle, "mnuASingle", QStringLiteral("&Single"));
    addMarkedItem(mnuAcqusition, mnuAContinuous, "mnuAContinuous", QStringLiteral("&Continuous"));
    addSeparator(mnuAcqusition, mnuBarA0, "mnuBarA0");
    addItem(mnuAcqusition, mnuARunStop, "mnuARunStop", QStringLiteral("&Run/Stop"),
            QKeySequence(QStringLiteral("Ctrl+R")));

    addSubmenu(nullptr, mnuChannel, "mnuChannel", QStringLiteral("&Channel"));
    addItem(mnuChannel, mnuCO, "mnuCO", QStringLiteral("&OFF"));
    addMarkedItem(mnuChannel, mnuC1, "mnuC1", QStringLiteral("Channel &1"));
    addMarkedItem(mnuChannel, mnuC2, "mnuC2", QStringLiteral("Channel &2"));

    addSubmenu(nullptr, mnuHorizontal, "mnuHorizontal", QStringLiteral("&Horizontal"));
    struct Entry
    {
        QAction** item;
        const char* name;
        const char* caption;
    };
    const auto addMarkedItems = [this](QMenu* menu, std::span<const Entry> entries) {
        for (const Entry& e : entries)
            addMarkedItem(menu, *e.item, e.name, QString::fromLatin1(e.caption));
    };
    const Entry horizontal[] = {
        {&mnuH50us, "mnuH50us", "50us"},    {&mnuH100us, "mnuH100us", "100us"},
        {&mnuH200us, "mnuH200us", "200us"}, {&mnuH500us, "mnuH500us", "500us"},
        {&mnuH1ms, "mnuH1ms", "1ms"},       {&mnuH2ms, "mnuH2ms", "2ms"},
        {&mnuH5ms, "mnuH5ms", "5ms"},       {&mnuH10ms, "mnuH10ms", "10ms"},
        {&mnuH20ms, "mnuH20ms", "20ms"},    {&mnuH50ms, "mnuH50ms", "50ms"},
        {&mnuH100ms, "mnuH100ms", "100ms"}, {&mnuH200ms, "mnuH200ms", "200ms"},
        {&mnuH500ms, "mnuH500ms", "500ms"}, {&mnuH1s, "mnuH1s", "1s"},
    };
    addMarkedItems(mnuHorizontal, horizontal);

    addSubmenu(nullptr, mnuVertical, "mnuVertical", QStringLiteral("&Vertical"));
    addSubmenu(mnuVertical, mnuVCH1, "mnuVCH1", QStringLiteral("Channel &1"));
    const Entry vertical1[] = {
        {&mnuVCH1100mv, "mnuVCH1100mv", "100mV"}, {&mnuVCH1200mV, "mnuVCH1200mV", "200mV"},
        {&mnuVCH1500mV, "mnuVCH1500mV", "500mV"}, {&mnuVch11V, "mnuVch11V", "1V"},
        {&mnuVch12V, "mnuVch12V", "2V"},          {&mnuVCH15V, "mnuVCH15V", "5V"},
    };
    addMarkedItems(mnuVCH1, vertical1);
    addSubmenu(mnuVertical, mnuVch2, "mnuVch2", QStringLiteral("Channel &2"));
    const Entry vertical2[] = {
        {&mnuVch2100mV, "mnuVch2100mV", "100mV"}, {&mnuVch2200mV, "mnuVch2200mV", "200mV"},
        {&mnuVch2500mV, "mnuVch2500mV", "500mV"}, {&mnuVch21V, "mnuVch21V", "1V"},
        {&mnuVch22V, "mnuVch22V", "2V"},          {&mnuVch25V, "mnuVch25V", "5V"},
    };
    addMarkedItems(mnuVch2, vertical2);

    addSubmenu(nullptr, mnuHelp, "mnuHelp", QStringLiteral("&Help"));
    addItem(mnuHelp, mnuHHelp, "mnuHHelp", QStringLiteral("&Help"), Qt::Key_F1);
    addItem(mnuHelp, mnuHOnlineH, "mnuHOnlineH", QStringLiteral("On&line Help"),
            QKeySequence(QStringLiteral("Shift+F1")));
    addSeparator(mnuHelp, mnuHBar1, "mnuHBar1");
    addItem(mnuHelp, mnuHAbout, "mnuHAbout", QStringLiteral("&About Corvanth USB Oscilloscope"));

    // The popup: not on the menu bar.
    mnuPopup = new QMenu(QStringLiteral("&MPOPUP"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopup->menuAction()->setObjectName(QStringLiteral("mnuPopup"));
    menuItems_.push_back(mnuPopup->menuAction());
    QAction* bar = nullptr;
    addItem(mnuPopup, mnuZoom, "mnuZoom", QStringLiteral("&Zoom"));
    addItem(mnuPopup, mnuZoomout, "mnuZoomout", QStringLiteral("Zoom &Out"));
    addSeparator(mnuPopup, bar, "mnuPopBar0");
    addSubmenu(mnuPopup, mnuPOPCursor, "mnuPOPCursor", QStringLiteral("&Cursors"));
    addItem(mnuPOPCursor, mnuPOPCursorA, "mnuPOPCursorA", QStringLiteral("Position Cursor &A"));
    addItem(mnuPOPCursor, mnuPOPCursorB, "mnuPOPCursorB", QStringLiteral("Position Cursor &B"));
    addMarkedItem(mnuPOPCursor, mnuPOPCHorizontal, "mnuPOPCHorizontal",
                  QStringLiteral("&Horizontal"));
    addMarkedItem(mnuPOPCursor, mnuPOPCVertical, "mnuPOPCVertical", QStringLiteral("&Vertical"));
    addMarkedItem(mnuPOPCursor, mnuPOPCPaired, "mnuPOPCPaired", QStringLiteral("&Paired"));
    addItem(mnuPOPCursor, mnuPOPCoff, "mnuPOPCoff", QStringLiteral("&OFF"));
    addSeparator(mnuPOPCursor, bar, "mnuPOPCBar0");
    addMarkedItem(mnuPOPCursor, mnuPOPCSnap, "mnuPOPCSnap", QStringLiteral("&Snap to Plot"));
    addMarkedItem(mnuPOPCursor, mnuPOPCFloat, "mnuPOPCFloat", QStringLiteral("&Free Floating"));
    addSeparator(mnuPopup, bar, "mnuPopBar1");
    addItem(mnuPopup, mnuPopupBoth, "mnuPopupBoth", QStringLiteral("Position Both &Cursors"));
    addItem(mnuPopup, mnuPopupA, "mnuPopupA", QStringLiteral("Position Cursor &A"));
    addItem(mnuPopup, mnuPopupB, "mnuPopupB", QStringLiteral("Position Cursor &B"));
    addItem(mnuPopup, mnuPan, "mnuPan", QStringLiteral("&Pan"));
    addSeparator(mnuPopup, bar, "mnuPopBar2");
    addItem(mnuPopup, mnuReset, "mnuReset", QStringLiteral("&Reset Plot(s)"));

    // Hidden for good: nothing shows them, and hidden items cannot be chosen.
    for (QAction* hidden : {mnuPOPCursorA, mnuPOPCursorB, mnuPopupBoth, mnuPopupA, mnuPopupB}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
}

} // namespace kv
