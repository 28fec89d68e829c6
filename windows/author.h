// SPDX-License-Identifier: GPL-3.0-or-later
// The author's addresses: the three web pages the program opens and the
// contact address the About window shows. The hosts lie under a reserved
// domain, so no real site is ever opened by mistake.
#pragma once

namespace windows::author {

inline constexpr char PersonalPage[] = "http://alzanbouti.example/";
inline constexpr char LibraryPage[] = "http://library.alzanbouti.example/";
inline constexpr char SeminaryPage[] = "http://hawza.alzanbouti.example/";
inline constexpr char ContactAddress[] = "info@alzanbouti.example";

} // namespace windows::author
