// Writes the fuzzers' seed corpora: files of tanks the program itself produces,
// from a new tank to the largest one with every text filled, settings files as
// the program writes them and as a hand may edit them (the recent files among
// them, and the uncertainty section), and tables as compare reads them.

#include "CalibrationText.h"
#include "FilledTank.h"
#include "GFunc.h"
#include "RecentFiles.h"
#include "Settings.h"
#include "TankFile.h"
#include "export/GaugeTable.h"
#include "export/TablePoints.h"
#include "uncertainty/UncertaintySettings.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    using namespace veloquin;
    if (argc != 4) {
        std::fputs("usage: make_fuzz_seeds TANK_DIRECTORY SETTINGS_DIRECTORY TABLE_DIRECTORY\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    auto write = [&](const std::string& name, const TSteelVertCylTank& tank) {
        std::ofstream(dir + "/" + name, std::ios::binary) << WriteTank(tank, 1);
    };
    write("new.vlq", TSteelVertCylTank());
    write("realistic.vlq", test::MakeRealisticTank());
    write("filled-small.vlq", test::MakeFilledTank(3, 3, 2));
    write("filled-medium.vlq", test::MakeFilledTank(8, 14, 6));
    write("filled-largest.vlq", test::MakeFilledTank());

    const std::string settingsDir = argv[2];
    const std::string written = settingsDir + "/written.ini";
    std::remove(written.c_str());
    ProfileFile ini(written);
    WriteMainWindowSettings(ini, {false, 640, 122, 10, 20});
    WritePrinterCalibration(ini, {1.5, -0.25, 0.1, 2});
    WriteInspectorSettings(ini, {});
    WriteSetting(ini, SettingKey::PrintCollate, 1);
    UncertaintySettings uncertainty;
    uncertainty[UncertaintyKey::Staff] = 0;
    uncertainty[UncertaintyKey::CollimationArcsecHalf] = 3600;
    WriteUncertaintySettings(ini, uncertainty);
    // Every uncertainty key, some at or beyond their bounds, in another case, with
    // either separator, and a section repeated.
    std::ofstream(settingsDir + "/uncertainty-hand-edited.ini", std::ios::binary)
        << "[uncertainty]\ntape_a0=100\nTAPE_A_PER_M = 0,15 \ntension_rel_half=0.0100001\n"
           "temperature_rel_half=-0\ncirc_reading=1e3\nweld_entry=nan\nweld_table_frac_half=inf\n"
           "thick_bias_half=10,\nthick_girdle=.1\npaint=1e-320\nplumb=\nheight_outer=1 000\noverlap=1;2\n"
           "staff=0x1\ncollimation_arcsec_half=3600.0000001\ncalib_fill=10000\ncalib_density=-1\n"
           "stored_density_rel_half=1\nelastic_rel=0,1\ndetail_volume_rel=1,0\ndetail_position=5\n"
           "rounding_half=0.05\nplumb_scatter=1\n[Print]\nCollate=7\n[Uncertainty]\nplumb=2\n";
    std::ofstream(settingsDir + "/hand-edited.ini", std::ios::binary)
        << "; printer offsets\n[printercalibr]\n  DXCALIBR =  1,5  \ndYCalibr=abc\n\n"
           "[WindowState]\r\nMaximized=1\r\nWindowWidth=12a\r\n[InspectorState]\nCol1Width = 150";
    const std::string recent = settingsDir + "/recent.ini";
    std::remove(recent.c_str());
    ProfileFile recentIni(recent);
    WriteInspectorSettings(recentIni, {});
    WriteRecentFiles(recentIni, {"/tanks/РВС 1.vlq", "/tanks/tank.vlq ", "/tanks/two\nlines.vlq",
                                 "\"/tanks/quoted\".vlq", "/tanks/back\\slash\x0b.vlq"});
    std::ofstream(settingsDir + "/recent-hand-edited.ini", std::ios::binary)
        << "[RecentFiles]\r\nFile1=\"/a.vlq\\x2\"\r\nFile2=/b.vlq\r\nFile3=\r\nfile4 = \"/c\\\\d.vlq\\x20\"\r\n"
           "File2=/b.vlq\r\nFile9=/z.vlq\r\n[WindowState]\r\nWindowTop=5\r\n";

    // Tables as compare reads them: the tool's CSV, a gauge table, the text
    // table, units in a header, old Mac line ends.
    const std::string tableDir = argv[3];
    TSteelVertCylTank tank = test::MakeRealisticTank();
    SetDecimalSeparator('.');
    const std::vector<TablePoint> table = PrintedTable(tank);
    std::string csv = "girdle;level_mm;volume_m3\n";
    for (std::size_t k = 0; k < table.size(); k += 7)
        csv += "1;" + FloatToStr(table[k].levelMm) + ";" + UngroupedDecimals(3, table[k].volumeM3) + "\n";
    std::ofstream(tableDir + "/tool.csv", std::ios::binary) << csv;
    std::ofstream(tableDir + "/gauge.csv", std::ios::binary) << GaugeTableText(GaugeTableOfPoints(table, 30), tank);
    SetDecimalSeparator(',');
    std::ofstream(tableDir + "/text-table.txt", std::ios::binary) << CalibrationTableText(tank, "\r\n").substr(0, 3000);
    std::ofstream(tableDir + "/units.csv", std::ios::binary)
        << "Уровень, см\tОбъем, л\n1\t12,5\n2\t30\n3\t52,25\n4\t80\n";
    std::ofstream(tableDir + "/mac.csv", std::ios::binary) << "level;volume\r10;0,5\r20;1 000,25\r30;2 000\r";
    return 0;
}
