// A table filled from a CSV file, with column labels and a frozen first column, opened
// a thousand rows down so the labels and the frozen column show they stay in place:
//   table_csv [FILE.csv] [OUT.png|OUT.gif|OUT.svg|OUT.pdf]
// The file is examples/data/readings.csv by default (run from the repository's top).
#include <cstdio>

#include "image/PictureFile.h"
#include "table/Create.h"
#include "table/NxTable.h"

int main(int argc, char** argv) {
    const char* csv = argc > 1 ? argv[1] : "examples/data/readings.csv";
    const char* out = argc > 2 ? argv[2] : "table_csv.png";
    using norvex::table::NxTblEnum;

    auto table = host::create<norvex::table::NxTable>();
    // One row per line; quoted fields keep their commas. A file that cannot be read
    // leaves the table empty (and says why on the error stream).
    norvex::table::Create::readCellsFile(*table, nullptr, csv, norvex::util::OptString("csv"));
    if (table->getNumRows() == 0) {
        std::fprintf(stderr, "table_csv: no rows read from '%s'\n", csv);
        return 1;
    }

    table->setColumnLabels({host::Value("#"), host::Value("Sensor"), host::Value("Temp (C)"),
                            host::Value("Humidity (%)"), host::Value("State")});
    table->setFrozenColumns(1);
    for (int col : {0, 2, 3}) table->setAlignment(NxTblEnum::ALL, col, NxTblEnum::RIGHT);
    table->setAlignment(NxTblEnum::LABEL, NxTblEnum::ALL, NxTblEnum::CENTER);
    table->setBackground(NxTblEnum::LABEL, NxTblEnum::ALL, host::Color::lightGray);
    table->setBackground(NxTblEnum::ALL, 0, host::Color::lightGray);
    table->setBorderType(NxTblEnum::LABEL, NxTblEnum::ALL, NxTblEnum::BORDER_OUT);
    table->setCharWidth(NxTblEnum::ALL, 12);
    table->setTopRow(1000);

    std::string error;
    if (!norvex::image::savePicture(table, 560, 260, out, &error)) {
        std::fprintf(stderr, "table_csv: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
