// What the DSP workspace writes and reads: worksheets, data files, the clipboard text and the
// saved formulas of the formula dialogs.

#include <gtest/gtest.h>

#include <clocale>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "dsp/DspClipboardText.h"
#include "dsp/DspDataFile.h"
#include "dsp/DspWorksheet.h"
#include "dsp/DspWorkspace.h"
#include "dsp/SavedFormulas.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(DspWorksheetFile, RoundTripOfFormulasWithCommasAndSemicolonsRecomputesTheSameSignals) {
    TempDir dir;
    const std::string path = dir.file("worksheet.wks");
    DspWorkspace ws(4);
    ws.setFormula(0, "gsin(64, 0.01, 12.5, 0.3); a comment, after the formula");
    ws.setFormula(1, "extract(w0 , 4 , 32)*2");
    ws.setFormula(2, "spectrum(w1)");
    ws.setFormula(3, "w2+deg;w9");
    ws.recomputeAll();
    std::vector<SignalVector> before;
    for (int i = 0; i < ws.size(); ++i) {
        ASSERT_TRUE(ws.window(i).error.empty()) << i << ": " << ws.window(i).error;
        before.push_back(*ws.window(i).signal);
    }

    SaveWorksheet(path, ws.formulas());
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("[WORKSHEET]"), std::string::npos);
    EXPECT_NE(text.find("WINDOWS=4"), std::string::npos);
    EXPECT_NE(text.find("[W0]\nCOMMAND=gsin(64, 0.01, 12.5, 0.3); a comment, after the formula\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[W3]\nCOMMAND=w2+deg;w9\n"), std::string::npos) << text;

    ws.reset(1);
    ASSERT_EQ(ws.window(0).count(), 0u);
    auto loaded = LoadWorksheet(path);
    ASSERT_TRUE(loaded.has_value());
    ws.reset(static_cast<int>(loaded->size()));
    for (int i = 0; i < ws.size(); ++i) ws.setFormula(i, (*loaded)[static_cast<std::size_t>(i)]);
    EXPECT_EQ(ws.recomputeAll().size(), 4u);
    for (int i = 0; i < ws.size(); ++i) {
        const SignalVector& after = *ws.window(i).signal;
        EXPECT_EQ(after.dx, before[static_cast<std::size_t>(i)].dx) << i;
        ASSERT_EQ(after.Count(), before[static_cast<std::size_t>(i)].Count()) << i;
        for (std::size_t k = 0; k < after.Count(); ++k) EXPECT_EQ(after[k], before[static_cast<std::size_t>(i)][k]);
    }
}

TEST(DspWorksheetFile, ZeroOrMissingCountLoadsNothingAndShorterSheetsReadBackAsThemselves) {
    TempDir dir;
    const std::string path = dir.file("a.wks");
    EXPECT_FALSE(LoadWorksheet(dir.file("missing.wks")).has_value());
    WriteFile(path, "[WORKSHEET]\nWINDOWS=0\n[W0]\nCOMMAND=1\n");
    EXPECT_FALSE(LoadWorksheet(path).has_value());
    WriteFile(path, "[W0]\nCOMMAND=1\n");
    EXPECT_FALSE(LoadWorksheet(path).has_value());
    WriteFile(path, "[worksheet]\nwindows=2abc\n[w1]\ncommand=  x,y;z  \n");
    EXPECT_EQ(LoadWorksheet(path), (std::vector<std::string>{"", "x,y;z"}));

    SaveWorksheet(path, {"1", "2", "3"});
    SaveWorksheet(path, {"4"});
    EXPECT_EQ(LoadWorksheet(path), (std::vector<std::string>{"4"}));
    PrivateProfile file(path);
    EXPECT_FALSE(file.hasKey("W2", "COMMAND"));

    WriteFile(path, "[WORKSHEET]\nWINDOWS=500\n");
    EXPECT_EQ(LoadWorksheet(path)->size(), static_cast<std::size_t>(kDspMaxWindows));
}

TEST(DspDataFileFormat, WritesFixedDecimalsAndReadsAnyWhiteSpace) {
    TempDir dir;
    const std::string path = dir.file("dspout.dat");
    // The decimal point stays a point under a comma locale.
    const char* old = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
    WriteDataFile(path, std::vector<double>{1.5, -0.25, 1234567.125, 1e-7});
    if (old) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(ReadFile(path), "1.500000\n-0.250000\n1234567.125000\n0.000000\n");
    EXPECT_EQ(ReadDataFile(path), (std::vector<double>{1.5, -0.25, 1234567.125, 0}));

    WriteFile(path, "1 2\t3\r\n  +4e1 -5.\n\n6 seven 8");
    EXPECT_EQ(ReadDataFile(path), (std::vector<double>{1, 2, 3, 40, -5, 6}));
    WriteDataFile(path, {});
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_TRUE(ReadDataFile(path).empty());

    try {
        ReadDataFile(dir.file("none.dat"));
        FAIL();
    } catch (const ZelError& e) {
        EXPECT_EQ(std::string(e.what()), "Ошибка открытия файла " + dir.file("none.dat"));
    }
    // A file that cannot be created is reported with its name; the folder is a file here.
    WriteFile(dir.file("plain"), "x");
    EXPECT_THROW(WriteDataFile(dir.file("plain") + "/out.dat", std::vector<double>{1}), ZelError);
}

TEST(DspClipboardFormat, ExactTextRoundTripAndTextsInOtherFormsIgnored) {
    const std::vector<double> samples = {1.5, -2, 0.25};
    const std::string text = ClipboardText(samples, 0.025);
    EXPECT_EQ(text, "DSP ZEL\r\nSPS=40.000000\r\nQTY=3\r\n1.500000\r\n-2.000000\r\n0.250000\r\n");
    auto back = ParseClipboardText(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->samples, samples);
    EXPECT_DOUBLE_EQ(back->dx, 0.025);

    // Lines ending in LF alone (a text edited elsewhere) and trailing text after the heads.
    auto lf = ParseClipboardText("DSP ZEL workspace\nSPS=100\nQTY=9\n7\n\n8\n");
    ASSERT_TRUE(lf.has_value());
    EXPECT_EQ(lf->samples, (std::vector<double>{7, 8}));
    EXPECT_DOUBLE_EQ(lf->dx, 0.01);

    for (const char* bad : {"DSP\r\nSPS=1\r\nQTY=1\r\n1\r\n", "", "hello world", "DSP ZEL\r\nQTY=1\r\nSPS=1\r\n1\r\n",
                            "DSP ZEL\r\nSPS=0\r\nQTY=1\r\n1\r\n", "DSP ZEL\r\nSPS=-5\r\nQTY=1\r\n1\r\n",
                            "DSP ZEL\r\nSPS=x\r\nQTY=1\r\n1\r\n", "DSP ZEL\r\nSPS=1\r\nQTY=0\r\n",
                            "DSP ZEL\r\nSPS=1\r\nQTY=2\r\n1\r\nabc\r\n", " DSP ZEL\r\nSPS=1\r\nQTY=1\r\n1\r\n"})
        EXPECT_FALSE(ParseClipboardText(bad).has_value()) << bad;
}

TEST(DspSavedFormulas, NewestFirstWithoutRepeatsAtMostThirtyInTheProfile) {
    TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    {
        CSavedFormulas saved(ini);
        EXPECT_TRUE(saved.formulas().empty());
        saved.use("abs(d0)");
        saved.use("spectrum(w0), x;y");
        saved.use("  abs(d0) ");
        saved.use("   ");
        EXPECT_EQ(saved.formulas(), (std::vector<std::string>{"abs(d0)", "spectrum(w0), x;y"}));
    }
    EXPECT_EQ(ini.getString("Formulas list", "formula1"), "abs(d0)");
    EXPECT_EQ(ini.getString("Formulas list", "formula2"), "spectrum(w0), x;y");
    CSavedFormulas again(ini);
    EXPECT_EQ(again.formulas().size(), 2u);
    for (int i = 0; i < 40; ++i) again.use("w" + std::to_string(i));
    EXPECT_EQ(again.formulas().size(), CSavedFormulas::kMaxFormulas);
    EXPECT_EQ(again.formulas().front(), "w39");
    EXPECT_EQ(again.formulas().back(), "w10");
    EXPECT_EQ(CSavedFormulas(ini).formulas(), again.formulas());
}

}  // namespace
}  // namespace zel
