#pragma once

#include <QStringView>

#include <optional>

// The Russian letter (a Windows-1251 capital) that the standard Russian keyboard layout puts
// on a key, so the Russian game can be played with a Latin layout: the key is known by its
// keyboard number (the X keycode, which Qt reports as the native scan code under X11 and
// Wayland) or, without one, by the character a US layout gives there ("q" is Й, "[" is Х).
// Nothing for a key that carries no Russian letter.
std::optional<unsigned char> russianLetterAtKey(quint32 nativeScanCode, QStringView text);
