// Writes the fuzzer's seed corpus: files of tanks the program itself produces,
// from a new tank to the largest one with every text filled.

#include "FilledTank.h"
#include "TankFile.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    using namespace veloquin;
    if (argc != 2) {
        std::fputs("usage: make_fuzz_seeds DIRECTORY\n", stderr);
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
    return 0;
}
