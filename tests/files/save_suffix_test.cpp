// Every save dialog of the program adds the suffix of the filter chosen to a name typed without
// one, so that the file is found again behind the same filter.
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <vector>

namespace kv::test {
namespace {

struct SuffixCase
{
    const char* name;
    void (*save)(Main&);
    int filterIndex;
    std::vector<MsgResult> boxes; // the answers to the message boxes after the dialog
    const char* written;
};

void PrintTo(const SuffixCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveSuffix : public MainFixture, public ::testing::WithParamInterface<SuffixCase>
{
};

TEST_P(SaveSuffix, NameTypedWithoutSuffixGetsTheChosenFiltersSuffix)
{
    const SuffixCase& c = GetParam();
    dialogs().answer(MsgResult::No); // the calibration question of a first start
    Main& m = load();
    dialogs().clear();
    m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
    dialogs().answerSave(path("mine"), c.filterIndex);
    for (MsgResult box : c.boxes)
        dialogs().answer(box);
    c.save(m);
    EXPECT_TRUE(QFileInfo(path(c.written)).isFile()) << c.written;
    EXPECT_FALSE(QFileInfo::exists(path("mine")));

    // A name with a suffix of its own is kept as typed.
    dialogs().answerSave(path("mine.v2"), c.filterIndex);
    for (MsgResult box : c.boxes)
        dialogs().answer(box);
    c.save(m);
    EXPECT_TRUE(QFileInfo(path("mine.v2")).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    SaveCommands, SaveSuffix,
    ::testing::Values(
        SuffixCase{"settings", [](Main& m) { m.mnuFSave->trigger(); }, 1, {}, "mine.set"},
        SuffixCase{"reference",
                   [](Main& m) { m.SaveREFCH1->setValue(true); },
                   1,
                   {MsgResult::OK},
                   "mine.rfw"},
        SuffixCase{"picture", [](Main& m) { m.mnuFBMP->trigger(); }, 1, {}, "mine.bmp"},
        SuffixCase{"worksheet",
                   [](Main& m) {
                       m.CWButton2->setValue(false);
                       m.CWButton2->setValue(true);
                   },
                   1,
                   {MsgResult::OK},
                   "mine.xls"},
        SuffixCase{"comma-delimited",
                   [](Main& m) { m.mnuFExport->trigger(); },
                   2,
                   {MsgResult::OK},
                   "mine.csv"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

} // namespace
} // namespace kv::test
