#include "composer/settings.h"

#include <gtest/gtest.h>

#include "fixture_folder.h"
#include "platform/platform.h"

namespace {

struct ConvertCase {
    std::string text;
    std::optional<int32_t> value;
};

TEST(ConvertSettingsInt, ReadsDecimalAndHexadecimal) {
    const ConvertCase cases[] = {
        {"215", 215},
        {"-20", -20},
        {"+7", 7},
        {"   42", 42},
        {"007", 7},
        {"0x100", 256},
        {"0X1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"$ff", 255},
        {"  0x10", 16},
        {"  0X1f", 31},
        {"0x99", 153},
        {"0xFFFFFFFF", -1},
        {"0x80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"0", 0},
        {"-0", 0},
    };
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(ConvertSettingsInt(c.text), c.value) << c.text;
    }
}

TEST(ConvertSettingsInt, RefusesWhatDoesNotConvert) {
    const char* refused[] = {
        "", "   ", "abc", "2147483648", "-2147483649", "0x", "$", "x", "-", "+", "-$10", "-0x10",
        "0x100000000", "12 ", "12a", "1 2", "0x1g", "\t5", "99999999999999999999",
    };
    for (const char* text : refused) {
        EXPECT_EQ(ConvertSettingsInt(text), std::nullopt) << text;
    }
}

// The same file is read through the Windows private-profile reader in the
// Windows build and through the stand-in reader natively: both must agree.
class SettingsFile : public ::testing::Test {
protected:
    std::string Read(const std::string& section, const std::string& key) {
        return platform::ReadProfileString(folder.Path("q.ini"), section, key);
    }
    FixtureFolder folder;
};

TEST_F(SettingsFile, ReaderAgreesWithTheSystemOnCommonForms) {
    folder.Write("q.ini",
                 "Stray=1\r\n"
                 "[Mode]\r\n"
                 "XHTML=1\r\n"
                 "  Spaced  =  7  \r\n"
                 "Quoted=\"12\"\r\n"
                 "Single='13'\r\n"
                 "Half=\"14\r\n"
                 "Dup=first\r\n"
                 "Dup=second\r\n"
                 "Empty=\r\n"
                 "[pos]\n"
                 "width=300\n"
                 "\r"
                 "Top=-20\r"
                 "Left=0x10\n");
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Mode", "XHTML", "1"},   {"MODE", "xhtml", "1"},   {"Mode", "Spaced", "7"},
        {"Mode", "Quoted", "12"}, {"Mode", "Single", "13"}, {"Mode", "Half", "\"14"},
        {"Mode", "Dup", "first"}, {"Mode", "Empty", ""},    {"Mode", "Missing", ""},
        {"Pos", "Width", "300"},  {"Pos", "Top", "-20"},    {"Pos", "Left", "0x10"},
        {"Nowhere", "Width", ""}, {"Mode", "Stray", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

TEST_F(SettingsFile, LongValuesAreCutToTheBuffer) {
    folder.Write("q.ini", "[Pos]\r\nWidth=" + std::string(5000, '7') + "\r\n");
    EXPECT_EQ(Read("Pos", "Width"), std::string(2047, '7'));
    EXPECT_EQ(ReadSettingsInt(folder.Path("q.ini"), "Pos", "Width", 215), 215);
}

TEST_F(SettingsFile, ValuesConvertOrFallBack) {
    folder.Write("q.ini", "[Pos]\r\nWidth=0x100\r\nTop=abc\r\nLeft=-5\r\n");
    const std::string ini = folder.Path("q.ini");
    EXPECT_EQ(ReadSettingsInt(ini, "Pos", "Width", 215), 256);
    EXPECT_EQ(ReadSettingsInt(ini, "Pos", "Top", 0), 0);
    EXPECT_EQ(ReadSettingsInt(ini, "Pos", "Left", 0), -5);
    EXPECT_EQ(ReadSettingsInt(folder.Path("absent.ini"), "Pos", "Width", 215), 215);
}

TEST_F(SettingsFile, TextsAreTakenAsWrittenAndEmptyKeepsTheDefault) {
    folder.Write("q.ini", "[editor]\r\nframe=WORDPADTOP\r\nView=\r\n");
    const std::string ini = folder.Path("q.ini");
    EXPECT_EQ(ReadSettingsText(ini, "Editor", "Frame", "F"), "WORDPADTOP");
    EXPECT_EQ(ReadSettingsText(ini, "Editor", "View", "V"), "V");
    EXPECT_EQ(ReadSettingsText(ini, "Editor", "Other", "O"), "O");
    EXPECT_EQ(ReadSettingsText(ini, "Pos", "Frame", "F"), "F");
    EXPECT_EQ(ReadSettingsText(folder.Path("absent.ini"), "Editor", "Frame", "F"), "F");
}

}  // namespace
