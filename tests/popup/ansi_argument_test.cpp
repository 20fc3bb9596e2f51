#include "popup/ansi_argument.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct ArgumentCase {
    const wchar_t* line;
    bool fits;
};

// Run under code page 932.
const ArgumentCase kCases[] = {
    {L"q.exe", true},
    {L"q.exe plain", true},
    {L"q.exe \"\u65e5\u672c\u8a9e \u30c6\u30ad\u30b9\u30c8\"", true},
    {L"q.exe \u8868\u793a", true},
    {L"q.exe caf\u00e9", false},
    {L"q.exe \"a \u00e9 b\"", false},
    {L"q.exe \u0416", true},
    {L"q.exe \u20ac", false},
    {L"q.exe \U0001F600", false},
    {L"q.exe \u00e9\u00e9 \"\"", false},
    {L"q.exe ok \u00e9", false},  // a bare selection is checked whole
    {L"q.exe ok fine", true},
    {L"q.exe \"say \"hi there\" caf\u00e9\"", false},  // so is a quoted one with quotes inside
    {L"q.exe \"say \"\u8868\" now\"", true},
    {L"q.exe \"ok\" \u00e9", true},  // only the first argument is the content here
    {L"\"C:\\\u00e9\\q.exe\" ok", true},
    {L"q.exe \"\" \u00e9", false},
};

TEST(ContentFitsAnsi, OnlyTheContentMatters) {
    ASSERT_EQ(GetACP(), 932u) << "these cases are written for code page 932";
    for (const ArgumentCase& c : kCases) EXPECT_EQ(ContentFitsAnsi(c.line), c.fits) << c.fits;
}

}  // namespace
