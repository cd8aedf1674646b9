// Writes the fuzzers' seed corpora: files of tanks the program itself produces,
// from a new tank to the largest one with every text filled, and settings files
// as the program writes them and as a hand may edit them.

#include "FilledTank.h"
#include "Settings.h"
#include "TankFile.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    using namespace veloquin;
    if (argc != 3) {
        std::fputs("usage: make_fuzz_seeds TANK_DIRECTORY SETTINGS_DIRECTORY\n", stderr);
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
    std::ofstream(settingsDir + "/hand-edited.ini", std::ios::binary)
        << "; printer offsets\n[printercalibr]\n  DXCALIBR =  1,5  \ndYCalibr=abc\n\n"
           "[WindowState]\r\nMaximized=1\r\nWindowWidth=12a\r\n[InspectorState]\nCol1Width = 150";
    return 0;
}
