// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/letters.h"

#include <cstring>

namespace app {

// Letters 1 to 11 have bitmap pictures, 12 to 28 JPEG pictures; every sound
// is a wave file. Only the extension of its own row is ever tried. The name
// is what a screen reader says for the button; the name with its vowel marks
// is what the media tools print on the picture and speak into the sound. The
// word, with its vowel marks, is printed on the picture beside a drawing of it:
// the media tools draw that emoji's picture from a free emoji set; the program
// itself only shows the finished pictures.
const std::array<Letter, 28> Letters = {{
    {1, "Command15", "أ", "bmp", "ألف", "أَلِف", "أَرْنَب", 0x1F407},
    {2, "Command16", "ب", "bmp", "باء", "بَاء", "بَطَّة", 0x1F986},
    {3, "Command17", "ت", "bmp", "تاء", "تَاء", "تُفَّاحَة", 0x1F34E},
    {4, "Command1", "ث", "bmp", "ثاء", "ثَاء", "ثَعْلَب", 0x1F98A},
    {5, "Command2", "ج", "bmp", "جيم", "جِيم", "جَمَل", 0x1F42A},
    {6, "Command3", "ح", "bmp", "حاء", "حَاء", "حِصَان", 0x1F40E},
    {7, "Command4", "خ", "bmp", "خاء", "خَاء", "خَرُوف", 0x1F411},
    {8, "Command5", "د", "bmp", "دال", "دَال", "دُبّ", 0x1F43B},
    {9, "Command6", "ذ", "bmp", "ذال", "ذَال", "ذُرَة", 0x1F33D},
    {10, "Command7", "ر", "bmp", "راء", "رَاء", "رِيشَة", 0x1FAB6},
    {11, "Command8", "ز", "bmp", "زاي", "زَاي", "زَرَافَة", 0x1F992},
    {12, "Command27", "س", "jpg", "سين", "سِين", "سَمَكَة", 0x1F41F},
    {13, "Command26", "ش", "jpg", "شين", "شِين", "شَمْس", 0x2600},
    {14, "Command25", "ص", "jpg", "صاد", "صَاد", "صَارُوخ", 0x1F680},
    {15, "Command24", "ض", "jpg", "ضاد", "ضَاد", "ضِفْدَع", 0x1F438},
    {16, "Command23", "ط", "jpg", "طاء", "طَاء", "طَائِرَة", 0x2708},
    {17, "Command22", "ظ", "jpg", "ظاء", "ظَاء", "ظَرْف", 0x2709},
    {18, "Command20", "ع", "jpg", "عين", "عَيْن", "عِنَب", 0x1F347},
    {19, "Command19", "غ", "jpg", "غين", "غَيْن", "غَيْمَة", 0x2601},
    {20, "Command18", "ف", "jpg", "فاء", "فَاء", "فِيل", 0x1F418},
    {21, "Command9", "ق", "jpg", "قاف", "قَاف", "قِطَّة", 0x1F408},
    {22, "Command31", "ك", "jpg", "كاف", "كَاف", "كُرَة", 0x26BD},
    {23, "Command30", "ل", "jpg", "لام", "لَام", "لَيْمُون", 0x1F34B},
    {24, "Command29", "م", "jpg", "ميم", "مِيم", "مَوْز", 0x1F34C},
    {25, "Command28", "ن", "jpg", "نون", "نُون", "نَحْلَة", 0x1F41D},
    {26, "Command32", "هـ", "jpg", "هاء", "هَاء", "هِلَال", 0x1F319},
    {27, "Command33", "و", "jpg", "واو", "وَاو", "وَرْدَة", 0x1F339},
    {28, "Command21", "ي", "jpg", "ياء", "يَاء", "يَد", 0x270B},
}};

const Letter *letterForButton(const char *button) {
    for (const Letter &letter : Letters)
        if (std::strcmp(letter.button, button) == 0)
            return &letter;
    return nullptr;
}

} // namespace app
