// korvane.rc as the Linux build compiles and links it, read back through the layer as the
// game asks for it: by name in any case or by number, texts as Windows-1252 bytes, images
// as the files they were compiled from.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "images.h"
#include "resource.h"
#include "resource_images.h"
#include "resource_templates.h"
#include "resources.h"

using namespace win32_layer;

namespace {

std::vector<uint8_t> source_file(const std::string& name)
{
    std::ifstream file(RESOURCE_DIR "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const DialogTemplateItem* item_with_text(const DialogTemplate& dialog, const std::string& text)
{
    for (const DialogTemplateItem& item : dialog.items) {
        if (item.text == text)
            return &item;
    }
    return nullptr;
}

} // namespace

TEST(KorvaneResources, MenuBarItemsIdentifiersAndTexts)
{
    const auto menu = menu_template("MyApp");
    ASSERT_TRUE(menu);
    std::vector<std::string> bar;
    std::vector<std::string> level_items;
    bool in_levels = false;
    for (const MenuTemplateItem& item : *menu) {
        EXPECT_EQ(item.flags, 0u) << item.text;
        if (item.level == 0) {
            bar.push_back(item.popup ? item.text : item.text + "=" + std::to_string(item.id));
            in_levels = item.text == "Niveau";
        } else if (in_levels) {
            level_items.push_back(item.text + "=" + std::to_string(item.id));
        }
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"Fichier", "Changer de couleur=200", "Niveau", "Tri des r\xE9seaux",
                                             "Aide"}));
    ASSERT_EQ(level_items.size(), 15u);
    EXPECT_EQ(level_items.front(), "1 =40036");
    EXPECT_EQ(level_items[2], "3=40037");
    EXPECT_EQ(level_items.back(), "36=40002");
    const MenuTemplateItem& rank = menu->at(menu->size() - 3);
    EXPECT_EQ(rank.text, "Ex\xE9" "cuter");
    EXPECT_EQ(rank.id, UINT{IDM_RANK});
    EXPECT_EQ(rank.level, 1u);
    EXPECT_EQ(menu->back().text, "A propos d'Elvarin...");
    EXPECT_FALSE(menu_template("AboutBox"));   // a dialog, not a menu
}

TEST(KorvaneResources, DialogsWithStylesFontAndDialogUnits)
{
    const auto colour = dialog_template("dialog1");
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->style, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT});
    EXPECT_EQ((std::vector<int>{colour->x, colour->y, colour->cx, colour->cy}), (std::vector<int>{0, 0, 152, 65}));
    EXPECT_EQ(colour->caption, "Dialog");
    EXPECT_EQ(colour->font_points, 8);
    EXPECT_EQ(colour->font_name, "MS Sans Serif");
    ASSERT_EQ(colour->items.size(), 5u);
    const DialogTemplateItem* white = item_with_text(*colour, "Blanc (par d\xE9" "faut)");
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(white->id, IDC_WHITE);
    EXPECT_EQ(white->class_name, "BUTTON");
    EXPECT_EQ(white->style, DWORD{WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON});
    EXPECT_EQ((std::vector<int>{white->x, white->y, white->cx, white->cy}), (std::vector<int>{16, 29, 77, 12}));
    const DialogTemplateItem* ok = item_with_text(*colour, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->style, DWORD{WS_CHILD | WS_VISIBLE | WS_GROUP | BS_DEFPUSHBUTTON});
    const DialogTemplateItem* group = item_with_text(*colour, "");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->id, -1);
    EXPECT_EQ(group->style, DWORD{WS_CHILD | WS_VISIBLE | BS_GROUPBOX});

    const auto about = dialog_template("ABOUTBOX");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->caption, "Elvarin par r\xE9seaux de neurones");
    const DialogTemplateItem* icon = item_with_text(*about, "MyApp");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->class_name, "STATIC");
    EXPECT_EQ(icon->style, DWORD{WS_CHILD | WS_VISIBLE | SS_ICON});
    EXPECT_NE(item_with_text(*about, "Jeu d'Elvarin \xE0 partir de r\xE9seaux de neurones."), nullptr);
}

TEST(KorvaneResources, BitmapsPixelForPixelAsTheirFiles)
{
    for (const char* name : {"grille1", "point_blanc", "point_noir"}) {
        SCOPED_TRACE(name);
        const QImage linked = read_bitmap(bitmap_file(name));
        ASSERT_FALSE(linked.isNull());
        EXPECT_EQ(linked, read_bitmap(source_file(std::string(name) + ".bmp")));
    }
    const QImage board = read_bitmap(bitmap_file("GRILLE1"));
    EXPECT_EQ(board.size(), QSize(244, 244));
    EXPECT_EQ(board.pixel(30, 15), 0xFF000000u);   // a line between two squares
}

TEST(KorvaneResources, IconAndCursorsAsTheirFilesWithTheHotSpot)
{
    EXPECT_EQ(icon_file("myapp"), source_file("korvane.ico"));
    EXPECT_EQ(cursor_file("OUI"), source_file("oui.cur"));
    EXPECT_EQ(cursor_file("Non"), source_file("non.cur"));
    const std::optional<CursorImage> yes = read_cursor(cursor_file("oui"));
    ASSERT_TRUE(yes);
    EXPECT_EQ(yes->hot_spot, QPoint(15, 15));
    EXPECT_EQ(yes->image.size(), QSize(32, 32));
}

TEST(KorvaneResources, FoundByNumberAndNotOtherwise)
{
    // The version block is resource number 1, which "#1" names too.
    constexpr uint16_t version_type = 16;
    EXPECT_FALSE(find_resource(version_type, MAKEINTRESOURCE(1)).empty());
    EXPECT_EQ(find_resource(version_type, "#1").data(), find_resource(version_type, MAKEINTRESOURCE(1)).data());
    EXPECT_TRUE(find_resource(version_type, MAKEINTRESOURCE(2)).empty());
    EXPECT_TRUE(bitmap_file("GRILLE").empty());
    EXPECT_TRUE(cursor_file("MyApp").empty());   // an icon, not a cursor
}

TEST(KorvaneResources, AnEntryOfNoSizeIsRefusedNotLoopedOn)
{
    constexpr uint16_t version_type = 16;
    std::vector<uint8_t> damaged(32, 0); // header and data sizes 0, before the real entries
    damaged.insert(damaged.end(), win32_resources::res_file.begin(), win32_resources::res_file.end());
    EXPECT_TRUE(find_resource_in(damaged, version_type, MAKEINTRESOURCE(1)).empty());
    EXPECT_FALSE(find_resource_in(win32_resources::res_file, version_type, MAKEINTRESOURCE(1)).empty());
}
