// Writes the comparison workbook of two tables, as the comparison window saves
// it, so that a reader of its own (openpyxl) can read it back:
//   comparison_workbook_writer OLD NEW OUT.xlsx
// A side is a tank file (.vlq) or a table in CSV.

#include "FileIo.h"
#include "TableWorkbook.h"
#include "TankFile.h"
#include "export/TableComparison.h"
#include "export/TableCsv.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace veloquin;

namespace {

ComparedTable Side(const std::string& path)
{
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".vlq") == 0) {
        LoadedTank loaded = LoadTankFile(path);
        return ComparedTableOfTank(loaded.tank, path);
    }
    return ComparedTableOfCsv(ReadTableCsv(ReadFileBytes(path)), path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: comparison_workbook_writer OLD NEW OUT.xlsx\n", stderr);
        return 2;
    }
    try {
        WriteComparisonWorkbook(argv[3], CompareTables(Side(argv[1]), Side(argv[2])));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
