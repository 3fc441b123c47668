// resource.h -- identifiers of the game's menu commands, dialog controls and child windows,
// shared by korvane.rc, the game and the tests.
#pragma once

// Menu commands.
#define IDM_CLOSE 100           // Fichier, "Fermer"
#define IDM_CHANGE_COLOUR 200   // "Changer de couleur", on the menu bar
#define IDM_ABOUT 301           // Aide, "A propos d'Elvarin..."
#define IDM_RANK 40039          // Tri des reseaux, "Executer"

// The "Niveau" items: their identifiers do not follow the order of the items.
#define IDM_LEVEL_1 40036
#define IDM_LEVEL_2 40001
#define IDM_LEVEL_3 40037
#define IDM_LEVEL_4 40003
#define IDM_LEVEL_5 40004
#define IDM_LEVEL_6 40005
#define IDM_LEVEL_7 40006
#define IDM_LEVEL_8 40007
#define IDM_LEVEL_9 40008
#define IDM_LEVEL_10 40009
#define IDM_LEVEL_15 40010
#define IDM_LEVEL_20 40011
#define IDM_LEVEL_25 40012
#define IDM_LEVEL_30 40013
#define IDM_LEVEL_36 40002
// Bounds of the level items' radio group: the lowest and the highest of their identifiers.
#define IDM_LEVEL_FIRST IDM_LEVEL_2
#define IDM_LEVEL_LAST IDM_LEVEL_3

// Controls of the colour dialog.
#define IDC_WHITE 101           // "Blanc (par defaut)"
#define IDC_BLACK 102           // "Noir"

// The status line, a child window of the main window.
#define IDC_STATUS 103
