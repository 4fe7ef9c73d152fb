// The face's command buttons pressed with the mouse as a user presses them: each press acts once
// and the button ends off, whatever its command did, so that the next press, or the menu item or
// key of the same command, acts again.

#include "app/about_window.h"
#include "link/port_search.h"
#include "spectrum/spectrum_launcher.h"
#include "spectrum/spectrum_window.h"
#include "support/main_fixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <functional>

namespace kv::test {
namespace {

class CommandButtons : public MainFixture
{
  public:
    using MainFixture::dialogs;
    using MainFixture::main;
    using MainFixture::path;
    using MainFixture::registry;

    void activate()
    {
        main().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main()));
    }

  protected:
    void SetUp() override
    {
        instrument().faults().silence = true;
        load();
        dialogs().clear();
        main().show();
        activate();
    }
};

using Setup = std::function<void(CommandButtons&, Main&)>;
using Check = std::function<bool(CommandButtons&, Main&)>;

struct Case
{
    const char* name;
    std::function<CwButton*(Main&)> button;
    Setup arm;   // before each press: the state the command acts on, the dialog answers
    Check acted; // after each press: what the command did
    std::function<QAction*(Main&)> item; // the menu item of the same command, if any
};

// Makes the button and the panels that hold it visible, as the user sees it before a press.
void reveal(QWidget* w)
{
    for (QWidget* p = w; p && !p->isWindow(); p = p->parentWidget())
        if (p->isHidden())
            p->setVisible(true);
}

std::size_t asked(CommandButtons& t)
{
    return t.dialogs().requests().size();
}

// The count of dialogs asked so far, kept by the arm step for the check that follows.
std::size_t askedBefore = 0;

Setup answering(std::function<void(ScriptedDialogs&)> script)
{
    return [script](CommandButtons& t, Main&) {
        askedBefore = asked(t);
        script(t.dialogs());
    };
}

Check askedOnce(ScriptedDialogs::Kind kind)
{
    return [kind](CommandButtons& t, Main&) {
        return asked(t) == askedBefore + 1 && t.dialogs().last().kind == kind &&
               t.dialogs().remaining() == 0;
    };
}

AboutWindow* aboutWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<AboutWindow*>(w))
            return about;
    return nullptr;
}

const QString ExportFile = QStringLiteral("export.xls");

const Case Cases[] = {
    {"CWButton8 OFF", [](Main& m) { return m.CWButton8; },
     [](CommandButtons&, Main& m) {
         m.CH2Button->setValue(true); // both channels on, channel 1 selected
         m.CH1Button->setValue(true);
     },
     [](CommandButtons&, Main& m) { return !m.LED1->value() && m.LED2->value(); },
     [](Main& m) { return m.mnuCO; }},
    {"CWButton18 Oscilloscope settings", [](Main& m) { return m.CWButton18; },
     [](CommandButtons&, Main& m) {
         m.Options->setVisible(false);
         reveal(m.CWButton18);
     },
     [](CommandButtons&, Main& m) { return Visible(m.Options); },
     [](Main& m) { return m.mnuFcom; }},
    {"CWButton29 trigger left", [](Main& m) { return m.CWButton29; },
     [](CommandButtons&, Main& m) { m.mnuTH90->trigger(); },
     [](CommandButtons&, Main& m) { return m.state.HTrigPosition == Variant(2); }, nullptr},
    {"CWButton30 trigger right", [](Main& m) { return m.CWButton30; },
     [](CommandButtons&, Main& m) { m.mnuTH10->trigger(); },
     [](CommandButtons&, Main& m) { return m.state.HTrigPosition == Variant(2); }, nullptr},
    {"CWButton26 CLOSE", [](Main& m) { return m.CWButton26; },
     [](CommandButtons&, Main& m) { m.Options->setVisible(true); },
     [](CommandButtons&, Main& m) { return !Visible(m.Options); }, nullptr},
    {"ZoomOut", [](Main& m) { return m.ZoomOut; },
     [](CommandButtons&, Main& m) {
         m.state.IsZoomed = true;
         m.ZoomOut->setEnabled(true);
         reveal(m.ZoomOut);
     },
     [](CommandButtons&, Main& m) { return !m.state.IsZoomed; },
     [](Main& m) { return m.mnuZoomout; }},
    {"btnCalibrate, question answered No", [](Main& m) { return m.btnCalibrate; },
     answering([](ScriptedDialogs& d) { d.answer(MsgResult::No); }),
     [](CommandButtons& t, Main& m) {
         return askedOnce(ScriptedDialogs::Kind::MsgBox)(t, m) && m.CWButton1->isEnabled();
     },
     [](Main& m) { return m.mnuFcal; }},
    {"btnSearchCOMPort", [](Main& m) { return m.btnSearchCOMPort; },
     [](CommandButtons& t, Main& m) {
         t.registry().set(SerialCommKey, SerialCommValue, QStringLiteral("COM12"));
         m.lblSearchPort->clear();
         reveal(m.btnSearchCOMPort);
     },
     [](CommandButtons&, Main& m) {
         return m.lblSearchPort->text() ==
                QLatin1String("Oscilloscope USB interface found on COM Port 12.");
     },
     nullptr},
    {"FFTbutton", [](Main& m) { return m.FFTbutton; },
     [](CommandButtons&, Main& m) {
         if (SpectrumWindow* w = m.spectrum->window())
             w->hide();
     },
     [](CommandButtons&, Main& m) {
         return m.spectrum->window() && m.spectrum->window()->isVisible();
     },
     nullptr},
    {"About System Info., its message box", [](Main&) { return aboutWindow()->CWButton1; },
     [](CommandButtons& t, Main& m) {
         if (!aboutWindow())
             m.mnuHAbout->trigger();
         answering([](ScriptedDialogs& d) { d.answer(MsgResult::OK); })(t, m);
     },
     [](CommandButtons& t, Main& m) {
         return askedOnce(ScriptedDialogs::Kind::MsgBox)(t, m) &&
                t.dialogs().last().text ==
                    QLatin1String("System Information Is Unavailable At This Time");
     },
     nullptr},
    {"SaveREFCH1 with the trace hidden", [](Main& m) { return m.SaveREFCH1; },
     [](CommandButtons& t, Main& m) {
         m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), false);
         askedBefore = asked(t);
     },
     [](CommandButtons& t, Main&) { return asked(t) == askedBefore; }, nullptr},
    {"SaveREFCH2 with the trace hidden", [](Main& m) { return m.SaveREFCH2; },
     [](CommandButtons& t, Main& m) {
         m.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), false);
         askedBefore = asked(t);
     },
     [](CommandButtons& t, Main&) { return asked(t) == askedBefore; }, nullptr},
    {"SaveREFCH1, dialog cancelled", [](Main& m) { return m.SaveREFCH1; },
     [](CommandButtons& t, Main& m) {
         m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
         answering([](ScriptedDialogs& d) { d.answerSave(std::nullopt); })(t, m);
     },
     askedOnce(ScriptedDialogs::Kind::Save), nullptr},
    {"CWButton2 Export Data, a worksheet", [](Main& m) { return m.CWButton2; },
     [](CommandButtons& t, Main& m) {
         QFile::remove(t.path(ExportFile));
         answering([&t](ScriptedDialogs& d) {
             d.answerSave(t.path(ExportFile)).answer(MsgResult::OK); // "... created at location"
         })(t, m);
     },
     [](CommandButtons& t, Main&) {
         return asked(t) == askedBefore + 2 && QFile::exists(t.path(ExportFile));
     },
     [](Main& m) { return m.mnuFExport; }},
    {"CWButton2 Export Data, dialog cancelled", [](Main& m) { return m.CWButton2; },
     answering([](ScriptedDialogs& d) { d.answerSave(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Save), [](Main& m) { return m.mnuFExport; }},
    {"CWButton15 Export Picture, dialog cancelled", [](Main& m) { return m.CWButton15; },
     answering([](ScriptedDialogs& d) { d.answerSave(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Save), [](Main& m) { return m.mnuFBMP; }},
    {"CWButton17 Print, dialog cancelled", [](Main& m) { return m.CWButton17; },
     answering([](ScriptedDialogs& d) { d.answerPrinter(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Printer), [](Main& m) { return m.mnuFPrint; }},
    {"CWButton20 Save Settings, dialog cancelled", [](Main& m) { return m.CWButton20; },
     answering([](ScriptedDialogs& d) { d.answerSave(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Save), [](Main& m) { return m.mnuFSave; }},
    {"CWButton28 Load Settings, dialog cancelled", [](Main& m) { return m.CWButton28; },
     answering([](ScriptedDialogs& d) { d.answerOpen(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Open), [](Main& m) { return m.mnuFLoad; }},
    {"CWButton27 Load Default Settings, answered No", [](Main& m) { return m.CWButton27; },
     answering([](ScriptedDialogs& d) { d.answer(MsgResult::No); }),
     askedOnce(ScriptedDialogs::Kind::MsgBox), [](Main& m) { return m.mnuFDefault; }},
    {"CWButton5 cursor A colour, dialog cancelled", [](Main& m) { return m.CWButton5; },
     answering([](ScriptedDialogs& d) { d.answerColor(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Color), nullptr},
    {"CWButton6 cursor B colour, dialog cancelled", [](Main& m) { return m.CWButton6; },
     answering([](ScriptedDialogs& d) { d.answerColor(std::nullopt); }),
     askedOnce(ScriptedDialogs::Kind::Color), nullptr},
};

// Counts the changes to on, that is the times the command started.
struct StartCount
{
    explicit StartCount(CwButton* button)
    {
        connection = QObject::connect(button, &CwButton::valueChanged, [this](bool on) {
            if (on)
                ++starts;
        });
    }
    ~StartCount() { QObject::disconnect(connection); }
    int starts = 0;
    QMetaObject::Connection connection;
};

// Presses the button with the mouse: press and release at its centre.
void click(CwButton* button)
{
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The menu item as the user gives it: its shortcut key where it has one, else a click on it.
void choose(CommandButtons& t, QAction* item)
{
    if (item->shortcut().isEmpty()) {
        item->trigger();
        return;
    }
    t.activate();
    const int key = item->shortcut()[0];
    QTest::keyClick(&t.main(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
}

TEST_F(CommandButtons, EachPressActsOnceAndEndsOffByMouseThenByItsMenuItemOrKey)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        Main& m = main();
        c.arm(*this, m); // may open the window that holds the button
        CwButton* button = c.button(m);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isCommand());
        reveal(button);
        for (int press = 1; press <= 2; ++press) {
            SCOPED_TRACE(press);
            if (press > 1)
                c.arm(*this, m);
            StartCount count(button);
            click(button);
            EXPECT_EQ(count.starts, 1);
            EXPECT_TRUE(c.acted(*this, m));
            EXPECT_FALSE(button->value());
        }
        if (!c.item)
            continue;
        QAction* item = c.item(m);
        SCOPED_TRACE(item->objectName().toStdString());
        c.arm(*this, m);
        click(button);
        EXPECT_TRUE(c.acted(*this, m));
        c.arm(*this, m);
        StartCount count(button);
        choose(*this, item);
        EXPECT_TRUE(c.acted(*this, m));
        EXPECT_FALSE(button->value());
        // These two run steps of their own rather than pressing the button.
        if (item != m.mnuZoomout && item != m.mnuFBMP) {
            EXPECT_EQ(count.starts, 1);
        }
    }
}

} // namespace
} // namespace kv::test
