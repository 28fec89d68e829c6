// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form2layout.h"

#include "windows/author.h"

namespace windows {
namespace {

using enum platform::ControlKind;
using enum platform::MousePointer;

// Every label's font.
const platform::FontSpec LabelFont{"MS Sans Serif", 8.25, 400, 178};

// Name, kind, container, left, top, width, height (twips), tab index,
// caption, font, tooltip, mouse pointer. Creation order.
const platform::ControlSpec Controls[] = {
    // The skin control: no size, shows nothing of its own.
    {"Skin1", Custom, nullptr, 0, 0, 0, 0, -1, nullptr, nullptr, nullptr, Default},
    {"Frame2", Frame, nullptr, 1800, 0, 2055, 2415, 1, "", nullptr, nullptr, Default},
    // The labels, from the bottom of the frame up.
    {"SkinLabel8", Custom, "Frame2", 120, 2160, 1815, 255, 2, author::ContactAddress, &LabelFont,
     nullptr, Default},
    {"SkinLabel7", Custom, "Frame2", 120, 1920, 1815, 255, 3, "راسلنا على العنوان التالي",
     &LabelFont, nullptr, Default},
    {"SkinLabel6", Custom, "Frame2", 120, 1560, 1815, 255, 4, "الموافق:14/فبراير/2008م", &LabelFont,
     nullptr, Default},
    {"SkinLabel5", Custom, "Frame2", 240, 1320, 1695, 255, 5, "انتاج: 6/صفر/1429هج", &LabelFont,
     nullptr, Default},
    // The author's town and country.
    {"SkinLabel4", Custom, "Frame2", 480, 1080, 1215, 255, 6, "النجف - العراق", &LabelFont, nullptr,
     Default},
    {"SkinLabel3", Custom, "Frame2", 360, 840, 1575, 255, 7, "الشيخ نوبلان الزنبوطي", &LabelFont,
     nullptr, Default},
    {"SkinLabel2", Custom, "Frame2", 600, 600, 975, 255, 8, "برمجة وإعداد", &LabelFont, nullptr,
     Default},
    {"SkinLabel1", Custom, "Frame2", 120, 240, 1815, 255, 9, "سنوميل", &LabelFont, nullptr,
     Default},
    // The program's picture: the one control with a handler.
    {"Pictuer1", PictureBox, nullptr, 120, 120, 1575, 2295, 0, nullptr, nullptr, "حياك الله وبياك",
     ArrowQuestion},
};

// Name, first setting, extent (HIMETRIC: twips × 2540 / 1440, to the
// nearest unit), fifth and sixth settings.
const StoredLabel Labels[] = {
    {"SkinLabel8", -1, 3201, 450, 0, 1}, {"SkinLabel7", -1, 3201, 450, 0, 1},
    {"SkinLabel6", -1, 3201, 450, 0, 1}, {"SkinLabel5", -1, 2990, 450, 0, 1},
    {"SkinLabel4", -1, 2143, 450, 0, 1}, {"SkinLabel3", -1, 2778, 450, 0, 1},
    {"SkinLabel2", -1, 1720, 450, 0, 1}, {"SkinLabel1", -1, 3201, 450, 1, 1},
};

// Control, accessible name, accessible description, where the caption and
// the tooltip do not say it.
const platform::AccessibleText AccessibleTexts[] = {
    {"Pictuer1", "صورة البرنامج", "تفتح صفحة المبرمج في المتصفح"},
    {"Frame2", "معلومات البرنامج", "عنوان البرنامج ومبرمجه وتاريخ إنتاجه وعنوان المراسلة"},
};

} // namespace

const platform::FormSpec Form2Spec{"حول البرنامج",      3930,     2520,
                                   /*minButton=*/false,
                                   /*maxButton=*/false, Controls, AccessibleTexts};

const std::span<const StoredLabel> Form2Labels(Labels);

} // namespace windows
