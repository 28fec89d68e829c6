// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"

#include "app/form1layout.h"
#include "app/letters.h"
#include "app/module1.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/end.h"
#include "platform/iconhandles.h"
#include "platform/messagebox.h"
#include "platform/picture.h"
#include "platform/programfolder.h"
#include "platform/runtimeerror.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/tray.h"
#include "platform/twips.h"
#include "skin/skincontrol.h"
#include "skin/storedskin.h"
#include "windows/author.h"
#include "windows/form2.h"
#include "windows/form3.h"

#include <QPushButton>

namespace app {
namespace {

using Handler = void (Form1::*)();

struct ClickHandler {
    const char *button;
    Handler handler;
};

// The letter buttons in alphabet order, each with its handler.
const ClickHandler LetterHandlers[] = {
    {"Command15", &Form1::Command15_Click}, {"Command16", &Form1::Command16_Click},
    {"Command17", &Form1::Command17_Click}, {"Command1", &Form1::Command1_Click},
    {"Command2", &Form1::Command2_Click},   {"Command3", &Form1::Command3_Click},
    {"Command4", &Form1::Command4_Click},   {"Command5", &Form1::Command5_Click},
    {"Command6", &Form1::Command6_Click},   {"Command7", &Form1::Command7_Click},
    {"Command8", &Form1::Command8_Click},   {"Command27", &Form1::Command27_Click},
    {"Command26", &Form1::Command26_Click}, {"Command25", &Form1::Command25_Click},
    {"Command24", &Form1::Command24_Click}, {"Command23", &Form1::Command23_Click},
    {"Command22", &Form1::Command22_Click}, {"Command20", &Form1::Command20_Click},
    {"Command19", &Form1::Command19_Click}, {"Command18", &Form1::Command18_Click},
    {"Command9", &Form1::Command9_Click},   {"Command31", &Form1::Command31_Click},
    {"Command30", &Form1::Command30_Click}, {"Command29", &Form1::Command29_Click},
    {"Command28", &Form1::Command28_Click}, {"Command32", &Form1::Command32_Click},
    {"Command33", &Form1::Command33_Click}, {"Command21", &Form1::Command21_Click},
};

// The command buttons, each with its handler.
const ClickHandler CommandHandlers[] = {
    {"Command10", &Form1::Command10_Click}, {"Command11", &Form1::Command11_Click},
    {"Command12", &Form1::Command12_Click}, {"Command13", &Form1::Command13_Click},
    {"Command14", &Form1::Command14_Click},
};

const char FarewellPrompt[] = "الزنبوطي يتمنى لكم الفائدة ويسألكم الدعاء";
const char FarewellTitle[] = "مكتبة الزنبوطي للمعلومات الدينية";
const char TrayTip[] = "برنامج كرمدان";
// What a letter button does, for assistive technology; %1 is the letter's name.
const char LetterDescription[] = "يعرض صورة حرف %1 ويُسمع صوته";

// A letter's file in the program folder: the folder as the platform reports
// it, then a backslash and the name, with no test for a separator already
// at the folder's end.
QString programFile(const QString &stem, const char *extension) {
    return App_Path() + QLatin1Char('\\') + stem + QLatin1Char('.') + QLatin1String(extension);
}

} // namespace

Form1::Form1(QObject *parent) : platform::Form(Form1Spec, parent) {}

void Form1::connectHandlers() {
    for (const ClickHandler &entry : LetterHandlers) {
        const Handler handler = entry.handler;
        on(control<QPushButton>(entry.button), &QPushButton::clicked,
           [this, handler] { (this->*handler)(); });
    }
    for (const ClickHandler &entry : CommandHandlers) {
        const Handler handler = entry.handler;
        on(control<QPushButton>(entry.button), &QPushButton::clicked,
           [this, handler] { (this->*handler)(); });
    }
    on(control<QPushButton>("Command34"), &QPushButton::clicked, [this] { Command34_Click(); });
}

// Each letter button is called by its letter's name rather than its caption,
// the bare letter.
void Form1::describeControls() {
    for (const Letter &letter : Letters) {
        QWidget *button = control(letter.button);
        const QString name = QString::fromUtf8(letter.name);
        button->setAccessibleName(name);
        button->setAccessibleDescription(QString::fromUtf8(LetterDescription).arg(name));
    }
}

QWidget *Form1::createCustomControl(const platform::ControlSpec &row, QWidget *container) {
    if (qstrcmp(row.name, "Skin1") == 0)
        return new skin::SkinControl(skin::storedSkinStream(1), container);
    return platform::Form::createCustomControl(row, container);
}

void Form1::Form_Load() {
    // The skin first: from here on the window is drawn in it.
    control<skin::SkinControl>("Skin1")->Invoke(skin::SkinControl::DispidApply,
                                                platform::InvokeKind::Method,
                                                {platform::Variant(static_cast<qint32>(hWnd()))});

    // Then the notification-area icon, from the record the module keeps.
    NOTIFYICONDATA &tray = Module1::trayRecord;
    tray.cbSize = sizeof(NOTIFYICONDATAA);
    tray.hWnd = hWnd();
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = WM_MOUSEMOVE;
    tray.hIcon = platform::iconHandleOf(topLevel()->windowIcon());
    // The NUL ends the tip for the shell; spaces fill the rest.
    platform::setTip(tray, QString::fromUtf8(TrayTip) + QChar(u'\0'));
    // Added, then sent again as a change; each call gets a narrow copy of
    // its own, copied back after it. Neither answer matters.
    NOTIFYICONDATAA narrow = platform::narrowCopy(tray);
    Shell_NotifyIconA(NIM_ADD, &narrow);
    platform::copyBack(narrow, tray);
    narrow = platform::narrowCopy(tray);
    Shell_NotifyIconA(NIM_MODIFY, &narrow);
    platform::copyBack(narrow, tray);
}

platform::ImageControl *Form1::Img1() const {
    return control<platform::ImageControl>("Img1");
}
platform::PictureBox *Form1::Pic1() const {
    return control<platform::PictureBox>("Pic1");
}

void Form1::teachLetter(const char *button) {
    const Letter &letter = *letterForButton(button);
    const QString stem = QString::fromUtf8(letter.stem);
    namespace twips = platform::twips;

    const platform::Picture picture = LoadPicture(programFile(stem, letter.pictureExtension));
    Img1()->setPicture(picture);
    Img1()->setStretch(true);
    // The picture box's outer size, border included: the image is clipped
    // at the border.
    twips::setWidth(Img1(), twips::width(Pic1()));
    twips::setHeight(Img1(), twips::height(Pic1()));
    twips::setTop(Img1(), 0);

    const QByteArray narrowSoundName = platform::toNarrow(programFile(stem, SoundExtension));
    sndPlaySoundA(narrowSoundName.constData(), SND_NODEFAULT | SND_LOOP);
}

void Form1::Command1_Click() {
    teachLetter("Command1");
}
void Form1::Command2_Click() {
    teachLetter("Command2");
}
void Form1::Command3_Click() {
    teachLetter("Command3");
}
void Form1::Command4_Click() {
    teachLetter("Command4");
}
void Form1::Command5_Click() {
    teachLetter("Command5");
}
void Form1::Command6_Click() {
    teachLetter("Command6");
}
void Form1::Command7_Click() {
    teachLetter("Command7");
}
void Form1::Command8_Click() {
    teachLetter("Command8");
}
void Form1::Command9_Click() {
    teachLetter("Command9");
}
void Form1::Command15_Click() {
    teachLetter("Command15");
}
void Form1::Command16_Click() {
    teachLetter("Command16");
}
void Form1::Command17_Click() {
    teachLetter("Command17");
}
void Form1::Command18_Click() {
    teachLetter("Command18");
}
void Form1::Command19_Click() {
    teachLetter("Command19");
}
void Form1::Command20_Click() {
    teachLetter("Command20");
}
void Form1::Command21_Click() {
    teachLetter("Command21");
}
void Form1::Command22_Click() {
    teachLetter("Command22");
}
void Form1::Command23_Click() {
    teachLetter("Command23");
}
void Form1::Command24_Click() {
    teachLetter("Command24");
}
void Form1::Command25_Click() {
    teachLetter("Command25");
}
void Form1::Command26_Click() {
    teachLetter("Command26");
}
void Form1::Command27_Click() {
    teachLetter("Command27");
}
void Form1::Command28_Click() {
    teachLetter("Command28");
}
void Form1::Command29_Click() {
    teachLetter("Command29");
}
void Form1::Command30_Click() {
    teachLetter("Command30");
}
void Form1::Command31_Click() {
    teachLetter("Command31");
}
void Form1::Command32_Click() {
    teachLetter("Command32");
}
void Form1::Command33_Click() {
    teachLetter("Command33");
}

void Form1::Command34_Click() {
    if (!form3_)
        form3_ = new windows::Form3(this);
    form3_->Show();
}

void Form1::Command10_Click() {
    if (!form2_)
        form2_ = new windows::Form2(this);
    form2_->Show();
}

void Form1::Command11_Click() {
    platform::openWebPage(hWnd(), windows::author::PersonalPage);
}
void Form1::Command12_Click() {
    platform::openWebPage(hWnd(), windows::author::LibraryPage);
}
void Form1::Command13_Click() {
    platform::openWebPage(hWnd(), windows::author::SeminaryPage);
}

// The box's answer is not looked at: its close box counts as OK.
void Form1::Command14_Click() {
    MsgBox(QString::fromUtf8(FarewellPrompt), MB_OK, QString::fromUtf8(FarewellTitle));
    End();
}

} // namespace app
