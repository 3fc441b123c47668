// Texts shown in more than one place, as Windows-1252 bytes.
#pragma once

constexpr const char* text_your_turn = "  A vous de jouer ! ";
constexpr const char* caption_cannot_start = "Impossible de d\xE9marrer la partie ! ";
