// Identifiers of the menu commands, dialog controls and child windows of the game window.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr UINT command_close = 100;         // Fichier, "Fermer"
constexpr UINT command_change_colour = 200; // "Changer de couleur", on the menu bar
constexpr UINT command_about = 301;         // Aide, "A propos d'Elvarin..."
constexpr UINT command_rank = 40039;        // Tri des reseaux, "Executer"

// The level items: their identifiers are not in the order of the items.
constexpr UINT level_item_first = 40001; // bounds of the radio group
constexpr UINT level_item_last = 40037;
constexpr UINT level_item_one = 40036;   // "1 ", marked at every new game

constexpr int32_t status_line_id = 103;  // the static control that shows progress

// Colour dialog controls.
constexpr int32_t button_white = 101;    // "Blanc (par defaut)"
constexpr int32_t button_black = 102;    // "Noir"
