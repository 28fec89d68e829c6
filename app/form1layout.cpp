// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1layout.h"

namespace app {
namespace {

using enum platform::ControlKind;
using enum platform::MousePointer;

// 26 of the letters carry their own font; "هـ" and "و" show theirs in the
// smaller default control font.
const platform::FontSpec LetterFont{"Times New Roman", 12, 700, 178};

// Name, kind, container, left, top, width, height (twips), tab index,
// caption, font, tooltip, mouse pointer. Creation order.
const platform::ControlSpec Controls[] = {
    {"Pic1", PictureBox, nullptr, 120, 120, 8775, 5055, 9, nullptr, nullptr, nullptr, Default},
    {"Img1", Image, "Pic1", 0, 0, 8775, 5055, -1, nullptr, nullptr, nullptr, Default},
    {"Frame1", Frame, nullptr, 120, 5160, 8775, 1695, 0, "", nullptr, nullptr, Default},
    // The letters, from the top right, right to left, twelve to a row.
    {"Command15", PushButton, "Frame1", 8040, 240, 615, 375, 15, "أ", &LetterFont, nullptr,
     Default},
    {"Command16", PushButton, "Frame1", 7320, 240, 615, 375, 16, "ب", &LetterFont, nullptr,
     Default},
    {"Command17", PushButton, "Frame1", 6600, 240, 615, 375, 17, "ت", &LetterFont, nullptr,
     Default},
    {"Command1", PushButton, "Frame1", 5880, 240, 615, 375, 1, "ث", &LetterFont, nullptr, Default},
    {"Command2", PushButton, "Frame1", 5160, 240, 615, 375, 2, "ج", &LetterFont, nullptr, Default},
    {"Command3", PushButton, "Frame1", 4440, 240, 615, 375, 3, "ح", &LetterFont, nullptr, Default},
    {"Command4", PushButton, "Frame1", 3720, 240, 615, 375, 4, "خ", &LetterFont, nullptr, Default},
    {"Command5", PushButton, "Frame1", 3000, 240, 615, 375, 5, "د", &LetterFont, nullptr, Default},
    {"Command6", PushButton, "Frame1", 2280, 240, 615, 375, 6, "ذ", &LetterFont, nullptr, Default},
    {"Command7", PushButton, "Frame1", 1560, 240, 615, 375, 7, "ر", &LetterFont, nullptr, Default},
    {"Command8", PushButton, "Frame1", 840, 240, 615, 375, 8, "ز", &LetterFont, nullptr, Default},
    {"Command27", PushButton, "Frame1", 120, 240, 615, 375, 28, "س", &LetterFont, nullptr, Default},
    {"Command26", PushButton, "Frame1", 8040, 720, 615, 375, 27, "ش", &LetterFont, nullptr,
     Default},
    {"Command25", PushButton, "Frame1", 7320, 720, 615, 375, 26, "ص", &LetterFont, nullptr,
     Default},
    {"Command24", PushButton, "Frame1", 6600, 720, 615, 375, 25, "ض", &LetterFont, nullptr,
     Default},
    {"Command23", PushButton, "Frame1", 5880, 720, 615, 375, 24, "ط", &LetterFont, nullptr,
     Default},
    {"Command22", PushButton, "Frame1", 5160, 720, 615, 375, 23, "ظ", &LetterFont, nullptr,
     Default},
    {"Command20", PushButton, "Frame1", 4440, 720, 615, 375, 21, "ع", &LetterFont, nullptr,
     Default},
    {"Command19", PushButton, "Frame1", 3720, 720, 615, 375, 20, "غ", &LetterFont, nullptr,
     Default},
    {"Command18", PushButton, "Frame1", 3000, 720, 615, 375, 19, "ف", &LetterFont, nullptr,
     Default},
    {"Command9", PushButton, "Frame1", 2280, 720, 615, 375, 18, "ق", &LetterFont, nullptr, Default},
    {"Command31", PushButton, "Frame1", 1560, 720, 615, 375, 32, "ك", &LetterFont, nullptr,
     Default},
    {"Command30", PushButton, "Frame1", 840, 720, 615, 375, 31, "ل", &LetterFont, nullptr, Default},
    {"Command29", PushButton, "Frame1", 120, 720, 615, 375, 30, "م", &LetterFont, nullptr, Default},
    {"Command28", PushButton, "Frame1", 8040, 1200, 615, 375, 29, "ن", &LetterFont, nullptr,
     Default},
    {"Command32", PushButton, "Frame1", 7320, 1200, 615, 375, 33, "هـ", nullptr, nullptr, Default},
    {"Command33", PushButton, "Frame1", 6600, 1200, 615, 375, 34, "و", nullptr, nullptr, Default},
    {"Command21", PushButton, "Frame1", 5880, 1200, 615, 375, 22, "ي", &LetterFont, nullptr,
     Default},
    // The commands, right to left, in the third row after the last letter.
    {"Command34", PushButton, "Frame1", 4440, 1200, 1335, 375, 35, "نشيد الحروف", nullptr, nullptr,
     Default},
    {"Command11", PushButton, "Frame1", 3480, 1200, 615, 375, 11, "الموقع", nullptr,
     "لا تبخل علينا بزيارتك", ArrowQuestion},
    {"Command12", PushButton, "Frame1", 2760, 1200, 615, 375, 12, "المكتبة", nullptr,
     "الكتاب خير جليس", ArrowQuestion},
    {"Command13", PushButton, "Frame1", 2040, 1200, 615, 375, 13, "الحوزة", nullptr,
     "طلب العلم فريضة", ArrowQuestion},
    {"Command10", PushButton, "Frame1", 1320, 1200, 615, 375, 10, "نبذة", nullptr,
     "حول البرنامج والمبرمج", ArrowQuestion},
    {"Command14", PushButton, "Frame1", 120, 1200, 975, 375, 14, "خروج", nullptr,
     "الزنبوطي يقول: رافقتك السلامة", NoDrop},
    // The skin control: no size, takes no room in the panel, shows nothing.
    {"Skin1", Custom, "Frame1", 0, 0, 0, 0, -1, nullptr, nullptr, nullptr, Default},
};

// Control, accessible name, accessible description, where the caption and
// the tooltip do not say it. The letter buttons say their letter's name,
// from the letter table.
const platform::AccessibleText AccessibleTexts[] = {
    {"Pic1", "صورة الحرف", "تظهر هنا صورة الحرف الذي تضغط زره"},
    {"Img1", "الصورة", "صورة آخر حرف ضغطت زره"},
    {"Frame1", "لوحة الحروف", "أزرار الحروف الثمانية والعشرين وأزرار الأوامر"},
    {"Command34", nullptr, "يفتح نافذة نشيد الحروف"},
};

} // namespace

const platform::FormSpec Form1Spec{"برنامج: تعليم سنوميل", 9000,     6930,
                                   /*minButton=*/true,
                                   /*maxButton=*/false,    Controls, AccessibleTexts};

} // namespace app
