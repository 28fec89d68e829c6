// SPDX-License-Identifier: GPL-3.0-or-later
// The letter table: which button teaches which letter, from which files. The
// program and the media tools that make those files both read it, so it must
// stay free of widgets.
#pragma once

#include <array>

namespace app {

struct Letter {
    int number;         // the letter's place in the alphabet
    const char *button; // the button on Form1 that teaches it
    const char *stem;   // the button's caption, and the stem of both file names (UTF-8)
    const char *pictureExtension;
    const char *name;          // the letter's name, as assistive technology says it (UTF-8)
    const char *vocalisedName; // the name with its vowel marks, as pictures and sounds give it
    const char *word;          // a word a young child knows that begins with the letter, vowelled
    char32_t wordEmoji;        // the emoji whose drawing illustrates the word on the picture
};

inline constexpr const char *SoundExtension = "wav";

extern const std::array<Letter, 28> Letters;

const Letter *letterForButton(const char *button);

} // namespace app
