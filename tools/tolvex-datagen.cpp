// Builds the program's shipped databases from their text sources:
//   tolvex-datagen <data folder> <databases folder>
// The databases in the target folder are replaced only by completely built ones.
#include "storage/ShippedData.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: tolvex-datagen <data folder> <databases folder>\n";
        return 2;
    }
    try {
        TShippedData(argv[1]).Build(argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "tolvex-datagen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
