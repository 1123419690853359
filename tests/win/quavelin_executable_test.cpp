// What the executable file carries besides its code: the version details that the file's
// properties show, and the icon "MAINICON" (one 32 x 32 image in 16 colours).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/test_window.h"

namespace {

const std::string ProductPath() { return TestProgramsFolder() + "Quavelin.exe"; }

std::string VersionText(const std::vector<char>& details, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\041103A4\\" + name;
    if (!VerQueryValueA(details.data(), path.c_str(), &value, &length) || length == 0) return "";
    return static_cast<const char*>(value);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(QuavelinExecutable, CarriesItsVersionDetails) {
    const std::string path = ProductPath();
    std::vector<char> details(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_FALSE(details.empty()) << path;
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(details.size()), details.data()));
    EXPECT_EQ(VersionText(details, "ProductName"), "Quavelin");
    EXPECT_EQ(VersionText(details, "OriginalFilename"), "Quavelin.exe");
    EXPECT_FALSE(VersionText(details, "FileDescription").empty());
    EXPECT_FALSE(VersionText(details, "FileVersion").empty());
}

TEST(QuavelinExecutable, CarriesOneSixteenColourIconNamedMainicon) {
    HMODULE file = LoadLibraryExA(ProductPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    HRSRC found = FindResourceA(file, "MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(file, found)));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 1);
    EXPECT_EQ(group->entries[0].width, 32);
    EXPECT_EQ(group->entries[0].height, 32);
    EXPECT_EQ(group->entries[0].colorCount, 16);
    EXPECT_EQ(group->entries[0].bitCount, 4);
    FreeLibrary(file);
}

}  // namespace
