// The resources that windres compiled into korvane.exe, read back through Windows
// itself: the menu in French, the version block and the manifest that Windows reads when
// it starts the program. The Linux build links the same compiled resources, whose menus,
// dialogs and images its own tests read in full.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
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

// The bytes of a resource in `language`; empty when there is none.
std::vector<unsigned char> resource(LPCSTR type, LPCSTR name, WORD language = french)
{
    const HRSRC found = FindResourceExA(korvane(), type, name, language);
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

    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 15);
    EXPECT_EQ(menu_text(GetSubMenu(bar, 3), 0), "Ex\xE9" "cuter");
    DestroyMenu(bar);
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

TEST(KorvaneResources, ManifestDeclaresPerMonitorDpiAwarenessAndTheOlderFallback)
{
    const std::vector<unsigned char> bytes =
        resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}
