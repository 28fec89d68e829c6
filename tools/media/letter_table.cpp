// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's letter table for the media scripts, one letter a line
// in alphabet order, tab-separated: the file-name stem (the letter as its
// button shows it), the picture extension, and the name with its vowel marks
// as it is spoken.
//
// Usage: letter_table <output file>

#include "app/letters.h"

#include <cstdio>
#include <fstream>

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fputs("usage: letter_table <output file>\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (const app::Letter &letter : app::Letters)
        out << letter.stem << '\t' << letter.pictureExtension << '\t' << letter.vocalisedName
            << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "letter_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
