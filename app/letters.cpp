#include "letters.h"

#include <cstring>

namespace app {

// Letters 1 to 11 have bitmap pictures, 12 to 28 JPEG pictures; every sound
// is a wave file. Only the extension of its own row is ever tried.
const std::array<Letter, 28> Letters = {{
    {1, "Command15", "أ", "bmp"},  {2, "Command16", "ب", "bmp"},   {3, "Command17", "ت", "bmp"},
    {4, "Command1", "ث", "bmp"},   {5, "Command2", "ج", "bmp"},    {6, "Command3", "ح", "bmp"},
    {7, "Command4", "خ", "bmp"},   {8, "Command5", "د", "bmp"},    {9, "Command6", "ذ", "bmp"},
    {10, "Command7", "ر", "bmp"},  {11, "Command8", "ز", "bmp"},   {12, "Command27", "س", "jpg"},
    {13, "Command26", "ش", "jpg"}, {14, "Command25", "ص", "jpg"},  {15, "Command24", "ض", "jpg"},
    {16, "Command23", "ط", "jpg"}, {17, "Command22", "ظ", "jpg"},  {18, "Command20", "ع", "jpg"},
    {19, "Command19", "غ", "jpg"}, {20, "Command18", "ف", "jpg"},  {21, "Command9", "ق", "jpg"},
    {22, "Command31", "ك", "jpg"}, {23, "Command30", "ل", "jpg"},  {24, "Command29", "م", "jpg"},
    {25, "Command28", "ن", "jpg"}, {26, "Command32", "هـ", "jpg"}, {27, "Command33", "و", "jpg"},
    {28, "Command21", "ي", "jpg"},
}};

const Letter *letterForButton(const char *button) {
    for (const Letter &letter : Letters)
        if (std::strcmp(letter.button, button) == 0)
            return &letter;
    return nullptr;
}

} // namespace app
