// The embedded resource tables against the menu, dialogs and version block of the game.
#include "resource.h"
#include "resource_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace win32_resources;

bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

template <typename Resource>
const Resource* find_named(std::span<const Resource> table, std::string_view name)
{
    for (const Resource& r : table)
        if (same_name(r.name, name)) return &r;
    return nullptr;
}

struct ExpectedEntry {
    std::string text;
    uint16_t id;
    uint8_t level;
    bool popup;
};

TEST(ResourceTables, MenuHoldsTheBarInOrderWithItsItems)
{
    ASSERT_EQ(menus.size(), 1u);
    const MenuResource* menu = find_named(menus, "MyApp");
    ASSERT_NE(menu, nullptr);
    EXPECT_STREQ(menu->name, "MYAPP");

    const std::vector<ExpectedEntry> expected = {
        {"Fichier", 0, 0, true},
        {"Fermer", IDM_CLOSE, 1, false},
        {"Changer de couleur", IDM_CHANGE_COLOUR, 0, false},
        {"Niveau", 0, 0, true},
        {"1 ", IDM_LEVEL_1, 1, false},
        {"2", IDM_LEVEL_2, 1, false},
        {"3", IDM_LEVEL_3, 1, false},
        {"4", IDM_LEVEL_4, 1, false},
        {"5", IDM_LEVEL_5, 1, false},
        {"6", IDM_LEVEL_6, 1, false},
        {"7", IDM_LEVEL_7, 1, false},
        {"8", IDM_LEVEL_8, 1, false},
        {"9", IDM_LEVEL_9, 1, false},
        {"10", IDM_LEVEL_10, 1, false},
        {"15", IDM_LEVEL_15, 1, false},
        {"20", IDM_LEVEL_20, 1, false},
        {"25", IDM_LEVEL_25, 1, false},
        {"30", IDM_LEVEL_30, 1, false},
        {"36", IDM_LEVEL_36, 1, false},
        {"Tri des r\xE9seaux", 0, 0, true},
        {"Ex\xE9" "cuter", IDM_RANK, 1, false},
        {"Aide", 0, 0, true},
        {"A propos d'Elvarin...", IDM_ABOUT, 1, false},
    };
    ASSERT_EQ(menu->entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const MenuEntry& e = menu->entries[i];
        SCOPED_TRACE("entry " + std::to_string(i) + " " + expected[i].text);
        EXPECT_EQ(std::string(e.text), expected[i].text);
        EXPECT_EQ(e.id, expected[i].id);
        EXPECT_EQ(e.level, expected[i].level);
        EXPECT_EQ(e.popup, expected[i].popup);
        EXPECT_EQ(e.flags, 0u) << "nothing is checked or greyed in the script";
    }
}

struct ExpectedControl {
    int16_t id;
    std::string class_name;
    std::string text;
    uint32_t style;
    int16_t x, y, cx, cy;
};

void expect_controls(const DialogResource& dialog, const std::vector<ExpectedControl>& expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogControl& c = dialog.controls[i];
        const ExpectedControl& e = expected[i];
        SCOPED_TRACE(std::string(dialog.name) + " control " + std::to_string(i));
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(std::string(c.class_name), e.class_name);
        EXPECT_EQ(std::string(c.text), e.text);
        EXPECT_EQ(c.style, e.style) << std::hex << c.style << " != " << e.style;
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
    }
}

// Windows style bits, spelt out here so that the tables are checked against the real values.
constexpr uint32_t ws_popup = 0x80000000, ws_child = 0x40000000, ws_visible = 0x10000000;
constexpr uint32_t ws_caption = 0x00C00000, ws_sysmenu = 0x00080000;
constexpr uint32_t ws_group = 0x00020000, ws_tabstop = 0x00010000;
constexpr uint32_t ds_modalframe = 0x80, ds_setfont = 0x40;
constexpr uint32_t ss_left = 0, ss_center = 1, ss_icon = 3;
constexpr uint32_t bs_defpushbutton = 1, bs_groupbox = 7, bs_autoradiobutton = 9;
constexpr uint32_t child = ws_child | ws_visible;

TEST(ResourceTables, AboutBoxGeometryStylesAndTexts)
{
    ASSERT_EQ(dialogs.size(), 2u);
    const DialogResource* about = find_named(dialogs, "AboutBox");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->x, 22);
    EXPECT_EQ(about->y, 17);
    EXPECT_EQ(about->cx, 171);
    EXPECT_EQ(about->cy, 43);
    EXPECT_EQ(about->style, ws_caption | ws_sysmenu | ds_modalframe | ds_setfont);
    EXPECT_STREQ(about->caption, "Elvarin par r\xE9seaux de neurones");
    EXPECT_EQ(about->font_points, 8);
    EXPECT_STREQ(about->font_name, "MS Sans Serif");
    expect_controls(*about, {
        {-1, "STATIC", "MyApp", child | ss_icon, 3, 2, 21, 20},
        {-1, "STATIC", "Jeu d'Elvarin \xE0 partir de r\xE9seaux de neurones.",
         child | ws_group | ss_center, 28, 4, 140, 19},
        {1, "BUTTON", "OK", child | ws_group | ws_tabstop | bs_defpushbutton, 116, 26, 50, 14},
    });
}

TEST(ResourceTables, ColourDialogGeometryStylesAndTexts)
{
    const DialogResource* colour = find_named(dialogs, "dialog1");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->x, 0);
    EXPECT_EQ(colour->y, 0);
    EXPECT_EQ(colour->cx, 152);
    EXPECT_EQ(colour->cy, 65);
    EXPECT_EQ(colour->style, ws_popup | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont);
    EXPECT_STREQ(colour->caption, "Dialog");
    EXPECT_EQ(colour->font_points, 8);
    EXPECT_STREQ(colour->font_name, "MS Sans Serif");
    expect_controls(*colour, {
        {1, "BUTTON", "OK", child | ws_group | bs_defpushbutton, 105, 31, 36, 17},
        {IDC_WHITE, "BUTTON", "Blanc (par d\xE9" "faut)",
         child | ws_group | ws_tabstop | bs_autoradiobutton, 16, 29, 77, 12},
        {IDC_BLACK, "BUTTON", "Noir", child | bs_autoradiobutton, 16, 44, 40, 11},
        {-1, "STATIC", "Choisissez la couleur de vos pions.", child | ws_group | ss_left,
         7, 4, 118, 12},
        {-1, "BUTTON", "", child | bs_groupbox, 7, 17, 90, 42},
    });
}

TEST(ResourceTables, VersionStrings)
{
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CompanyName", " "},
        {"FileDescription", "korvane"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "korvane"},
        {"ProductName", "korvane"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    std::vector<std::pair<std::string, std::string>> actual;
    for (const VersionString& v : version_strings) actual.emplace_back(v.key, v.value);
    EXPECT_EQ(actual, expected);
}

std::vector<uint8_t> read_file(const std::string& name)
{
    std::ifstream in(std::string(RESOURCE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ResourceTables, FilesAreEmbeddedByteForByte)
{
    struct Expected {
        std::span<const FileResource> table;
        const char* name;
        const char* file;
    };
    const Expected files[] = {
        {bitmaps, "grille1", "grille1.bmp"},
        {bitmaps, "point_blanc", "point_blanc.bmp"},
        {bitmaps, "point_noir", "point_noir.bmp"},
        {icons, "MyApp", "korvane.ico"},
        {cursors, "oui", "oui.cur"},
        {cursors, "non", "non.cur"},
    };
    EXPECT_EQ(bitmaps.size(), 3u);
    EXPECT_EQ(icons.size(), 1u);
    EXPECT_EQ(cursors.size(), 2u);
    for (const Expected& f : files) {
        SCOPED_TRACE(f.name);
        const FileResource* r = find_named(f.table, f.name);
        ASSERT_NE(r, nullptr);
        const std::vector<uint8_t> on_disk = read_file(f.file);
        ASSERT_FALSE(on_disk.empty());
        EXPECT_EQ(std::vector<uint8_t>(r->bytes.begin(), r->bytes.end()), on_disk);
    }
}

} // namespace
