// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/letters.h"

#include <cstring>

namespace app {

// Letters 1 to 11 have bitmap pictures, 12 to 28 JPEG pictures; every sound
// is a wave file. Only the extension of its own row is ever tried. The name
// is what a screen reader says for the button; the name with its vowel marks
// is what the media tools print on the picture and speak into the sound.
const std::array<Letter, 28> Letters = {{
    {1, "Command15", "أ", "bmp", "ألف", "أَلِف"},  {2, "Command16", "ب", "bmp", "باء", "بَاء"},
    {3, "Command17", "ت", "bmp", "تاء", "تَاء"},  {4, "Command1", "ث", "bmp", "ثاء", "ثَاء"},
    {5, "Command2", "ج", "bmp", "جيم", "جِيم"},   {6, "Command3", "ح", "bmp", "حاء", "حَاء"},
    {7, "Command4", "خ", "bmp", "خاء", "خَاء"},   {8, "Command5", "د", "bmp", "دال", "دَال"},
    {9, "Command6", "ذ", "bmp", "ذال", "ذَال"},   {10, "Command7", "ر", "bmp", "راء", "رَاء"},
    {11, "Command8", "ز", "bmp", "زاي", "زَاي"},  {12, "Command27", "س", "jpg", "سين", "سِين"},
    {13, "Command26", "ش", "jpg", "شين", "شِين"}, {14, "Command25", "ص", "jpg", "صاد", "صَاد"},
    {15, "Command24", "ض", "jpg", "ضاد", "ضَاد"}, {16, "Command23", "ط", "jpg", "طاء", "طَاء"},
    {17, "Command22", "ظ", "jpg", "ظاء", "ظَاء"}, {18, "Command20", "ع", "jpg", "عين", "عَيْن"},
    {19, "Command19", "غ", "jpg", "غين", "غَيْن"}, {20, "Command18", "ف", "jpg", "فاء", "فَاء"},
    {21, "Command9", "ق", "jpg", "قاف", "قَاف"},  {22, "Command31", "ك", "jpg", "كاف", "كَاف"},
    {23, "Command30", "ل", "jpg", "لام", "لَام"}, {24, "Command29", "م", "jpg", "ميم", "مِيم"},
    {25, "Command28", "ن", "jpg", "نون", "نُون"}, {26, "Command32", "هـ", "jpg", "هاء", "هَاء"},
    {27, "Command33", "و", "jpg", "واو", "وَاو"}, {28, "Command21", "ي", "jpg", "ياء", "يَاء"},
}};

const Letter *letterForButton(const char *button) {
    for (const Letter &letter : Letters)
        if (std::strcmp(letter.button, button) == 0)
            return &letter;
    return nullptr;
}

} // namespace app
