// SPDX-License-Identifier: GPL-3.0-or-later
// The program's texts and its main window's tables as the tests expect them:
// one copy for all the tests that look at them from their own side (layout,
// keyboard, assistive technology, the shell, the tray, the song window).
#pragma once

#include <Qt>
#include <cstring>

namespace testing {

// The author's web pages, as the shell is handed them.
inline constexpr char PersonalPage[] = "http://alzanbouti.example/";
inline constexpr char LibraryPage[] = "http://library.alzanbouti.example/";
inline constexpr char SeminaryPage[] = "http://hawza.alzanbouti.example/";

// The tray icon's tip.
inline constexpr char TrayTip[] = "برنامج كرمدان";

// The song video's file name, and the song window's label above the player.
inline constexpr char SongFile[] = "حروف الهجاء.wmv";
inline constexpr char SongLabelCaption[] =
    "ابني - ابنتي المجتهدين: اضغطا على الماوس مرتين متتاليتين \"دبل كلك\" للتشغيل";

// What a key or a click on a control of the main window does.
enum class Effect { Sound, Page, About, Song, Farewell, Nothing };

struct Command {
    const char *name;
    const char *caption;
    const char *toolTip;     // nullptr: none
    const char *description; // what assistive technology adds to the caption
    int left, width;         // twips
    int tabIndex;
    Qt::CursorShape cursor;
    Effect effect;
    const char *page; // for Effect::Page
};

// The command row, right to left.
inline const Command Commands[] = {
    {"Command34", "نشيد الحروف", nullptr, "يفتح نافذة نشيد الحروف", 4440, 1335, 35, Qt::ArrowCursor,
     Effect::Song, nullptr},
    {"Command11", "الموقع", "لا تبخل علينا بزيارتك", "لا تبخل علينا بزيارتك", 3480, 615, 11,
     Qt::WhatsThisCursor, Effect::Page, PersonalPage},
    {"Command12", "المكتبة", "الكتاب خير جليس", "الكتاب خير جليس", 2760, 615, 12,
     Qt::WhatsThisCursor, Effect::Page, LibraryPage},
    {"Command13", "الحوزة", "طلب العلم فريضة", "طلب العلم فريضة", 2040, 615, 13,
     Qt::WhatsThisCursor, Effect::Page, SeminaryPage},
    {"Command10", "نبذة", "حول البرنامج والمبرمج", "حول البرنامج والمبرمج", 1320, 615, 10,
     Qt::WhatsThisCursor, Effect::About, nullptr},
    {"Command14", "خروج", "الزنبوطي يقول: رافقتك السلامة", "الزنبوطي يقول: رافقتك السلامة", 120,
     975, 14, Qt::ForbiddenCursor, Effect::Farewell, nullptr},
};

inline const Command *commandNamed(const char *name) {
    for (const Command &command : Commands)
        if (std::strcmp(command.name, name) == 0)
            return &command;
    return nullptr;
}

// The main window's tab order, from index 1 to 35.
inline const char *const TabOrder[] = {
    "Command1",  "Command2",  "Command3",  "Command4",  "Command5",  "Command6",  "Command7",
    "Command8",  "Pic1",      "Command10", "Command11", "Command12", "Command13", "Command14",
    "Command15", "Command16", "Command17", "Command9",  "Command18", "Command19", "Command20",
    "Command21", "Command22", "Command23", "Command24", "Command25", "Command26", "Command27",
    "Command28", "Command29", "Command30", "Command31", "Command32", "Command33", "Command34",
};

} // namespace testing
