// The resources that windres compiled into korvane.exe, read back through Windows
// itself: all of them French, the menu, the two dialogs, the images and the version block.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resource.h"

namespace {

constexpr WORD french = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);

HMODULE korvane()
{
    static const HMODULE module = LoadLibraryExA(KORVANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

// The bytes of a resource in French; empty when there is none.
std::vector<unsigned char> resource(LPCSTR type, LPCSTR name)
{
    const HRSRC found = FindResourceExA(korvane(), type, name, french);
    if (!found)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(korvane(), found)));
    return {bytes, bytes + SizeofResource(korvane(), found)};
}

std::string menu_text(HMENU menu, UINT position)
{
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string from_utf16(const WCHAR* text)
{
    char bytes[128] = {};
    WideCharToMultiByte(1252, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

struct DialogHeader {
    DWORD style;
    WORD items;
    int16_t x, y, width, height;
    std::string title;
};

// The fixed part of a dialog template and its title, which follows the (empty) menu
// and class fields.
DialogHeader dialog_header(const std::vector<unsigned char>& bytes)
{
    DLGTEMPLATE fixed;
    std::memcpy(&fixed, bytes.data(), sizeof fixed);
    const auto* words = reinterpret_cast<const WCHAR*>(bytes.data() + 18);
    EXPECT_EQ(words[0], 0); // no menu
    EXPECT_EQ(words[1], 0); // the standard dialog class
    return {fixed.style, fixed.cdit, fixed.x, fixed.y, fixed.cx, fixed.cy, from_utf16(words + 2)};
}

std::vector<unsigned char> source_file(const char* name)
{
    std::ifstream in(std::string(RESOURCE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string version_string(const std::vector<unsigned char>& block, const char* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040C04B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length))
        return "(none)";
    return static_cast<const char*>(value);
}

} // namespace

TEST(KorvaneResources, MenuBarAndItemsInFrench)
{
    ASSERT_NE(korvane(), nullptr) << KORVANE_EXE;
    const std::vector<unsigned char> bytes = resource(RT_MENU, "MYAPP");
    ASSERT_FALSE(bytes.empty());
    const HMENU bar = LoadMenuIndirectA(bytes.data());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    EXPECT_EQ(menu_text(bar, 0), "Fichier");
    EXPECT_EQ(menu_text(bar, 1), "Changer de couleur");
    EXPECT_EQ(GetMenuItemID(bar, 1), UINT{IDM_CHANGE_COLOUR}); // a command on the bar itself
    EXPECT_EQ(menu_text(bar, 2), "Niveau");
    EXPECT_EQ(menu_text(bar, 3), "Tri des r\xE9seaux");
    EXPECT_EQ(menu_text(bar, 4), "Aide");

    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), UINT{IDM_CLOSE});
    EXPECT_EQ(menu_text(GetSubMenu(bar, 0), 0), "Fermer");
    const HMENU levels = GetSubMenu(bar, 2);
    const UINT level_ids[] = {IDM_LEVEL_1,  IDM_LEVEL_2,  IDM_LEVEL_3,  IDM_LEVEL_4,  IDM_LEVEL_5,
                              IDM_LEVEL_6,  IDM_LEVEL_7,  IDM_LEVEL_8,  IDM_LEVEL_9,  IDM_LEVEL_10,
                              IDM_LEVEL_15, IDM_LEVEL_20, IDM_LEVEL_25, IDM_LEVEL_30, IDM_LEVEL_36};
    const char* level_texts[] = {"1 ", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "25", "30", "36"};
    ASSERT_EQ(GetMenuItemCount(levels), 15);
    for (UINT i = 0; i < 15; ++i) {
        EXPECT_EQ(GetMenuItemID(levels, static_cast<int>(i)), level_ids[i]) << i;
        EXPECT_EQ(menu_text(levels, i), level_texts[i]) << i;
        EXPECT_EQ(GetMenuState(levels, i, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED), 0u);
    }
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 3), 0), UINT{IDM_RANK});
    EXPECT_EQ(menu_text(GetSubMenu(bar, 3), 0), "Ex\xE9" "cuter");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 4), 0), UINT{IDM_ABOUT});
    EXPECT_EQ(menu_text(GetSubMenu(bar, 4), 0), "A propos d'Elvarin...");
    DestroyMenu(bar);
}

TEST(KorvaneResources, DialogsKeepTheirFramesAndTitles)
{
    ASSERT_NE(korvane(), nullptr) << KORVANE_EXE;
    const std::vector<unsigned char> about = resource(RT_DIALOG, "ABOUTBOX");
    ASSERT_GT(about.size(), 18u);
    const DialogHeader a = dialog_header(about);
    EXPECT_EQ(a.style, static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(a.items, 3);
    EXPECT_EQ(a.x, 22);
    EXPECT_EQ(a.y, 17);
    EXPECT_EQ(a.width, 171);
    EXPECT_EQ(a.height, 43);
    EXPECT_EQ(a.title, "Elvarin par r\xE9seaux de neurones");

    const std::vector<unsigned char> colour = resource(RT_DIALOG, "DIALOG1");
    ASSERT_GT(colour.size(), 18u);
    const DialogHeader c = dialog_header(colour);
    EXPECT_EQ(c.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(c.items, 5);
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 0);
    EXPECT_EQ(c.width, 152);
    EXPECT_EQ(c.height, 65);
    EXPECT_EQ(c.title, "Dialog");
}

TEST(KorvaneResources, ImagesAreTheCommittedFiles)
{
    ASSERT_NE(korvane(), nullptr) << KORVANE_EXE;
    // A bitmap resource is its file without the 14-byte file header.
    for (const char* name : {"GRILLE1", "POINT_BLANC", "POINT_NOIR"}) {
        std::string file = name;
        for (char& c : file)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::vector<unsigned char> bmp = source_file((file + ".bmp").c_str());
        ASSERT_GT(bmp.size(), 14u) << file;
        EXPECT_EQ(resource(RT_BITMAP, name), std::vector<unsigned char>(bmp.begin() + 14, bmp.end())) << name;
    }

    // The icon: a 32 x 32 and a 16 x 16 image of 16 colours.
    const std::vector<unsigned char> icons = resource(RT_GROUP_ICON, "MYAPP");
    ASSERT_EQ(icons.size(), 6u + 2 * 14);
    EXPECT_EQ(icons[4], 2);
    EXPECT_EQ(icons[6], 32);
    EXPECT_EQ(icons[8], 16);
    EXPECT_EQ(icons[6 + 14], 16);
    EXPECT_EQ(icons[8 + 14], 16);

    // Each cursor: one image whose data starts with its hot spot, (15, 15).
    for (const char* name : {"OUI", "NON"}) {
        const std::vector<unsigned char> group = resource(RT_GROUP_CURSOR, name);
        ASSERT_EQ(group.size(), 6u + 14) << name;
        const WORD image_id = static_cast<WORD>(group[18] | group[19] << 8);
        const HRSRC found = FindResourceExA(korvane(), RT_CURSOR, MAKEINTRESOURCEA(image_id), french);
        ASSERT_NE(found, nullptr) << name;
        const auto* hot_spot = static_cast<const WORD*>(LockResource(LoadResource(korvane(), found)));
        EXPECT_EQ(hot_spot[0], 15) << name;
        EXPECT_EQ(hot_spot[1], 15) << name;
    }
}

TEST(KorvaneResources, VersionBlockInFrench)
{
    const DWORD size = GetFileVersionInfoSizeA(KORVANE_EXE, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(KORVANE_EXE, 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u); // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u); // .0.1
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x040C);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(version_string(block, "FileVersion"), "1, 0, 0, 1");
    EXPECT_EQ(version_string(block, "ProductVersion"), "1, 0, 0, 1");
    EXPECT_EQ(version_string(block, "FileDescription"), "korvane");
    EXPECT_EQ(version_string(block, "InternalName"), "korvane");
    EXPECT_EQ(version_string(block, "ProductName"), "korvane");
    EXPECT_EQ(version_string(block, "CompanyName"), " ");
}
