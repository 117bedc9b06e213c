// Reads the version record back from hndpos.exe, which lies beside this test.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string program_path() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path, length);
    return own.substr(0, own.find_last_of('\\') + 1) + "hndpos.exe";
}

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = program_path();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << path;
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data_.data()));
    }

    std::wstring string_value(const wchar_t* name) {
        std::wstring key = std::wstring(L"\\StringFileInfo\\041103A4\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), key.c_str(), &value, &length) || value == nullptr) return L"<missing>";
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }

    std::vector<char> data_;
};

TEST_F(VersionRecord, FixedPart) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (HNDPOS_VERSION_MAJOR << 16u) | HNDPOS_VERSION_MINOR);
    EXPECT_EQ(fixed->dwFileVersionLS, HNDPOS_VERSION_PATCH << 16u);
    EXPECT_EQ(fixed->dwProductVersionMS, (HNDPOS_VERSION_MAJOR << 16u) | HNDPOS_VERSION_MINOR);
    EXPECT_EQ(fixed->dwProductVersionLS, HNDPOS_VERSION_PATCH << 16u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecord, JapaneseWithCodePage932) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);
}

TEST_F(VersionRecord, Strings) {
    EXPECT_EQ(string_value(L"FileVersion"), L"" HNDPOS_FILE_VERSION);
    EXPECT_EQ(string_value(L"ProductVersion"), L"" HNDPOS_PRODUCT_VERSION);
    // アナログ時計用針先端位置 C言語用テーブル作成: the banner's title without " v1.00"
    EXPECT_EQ(string_value(L"FileDescription"),
              L"\x30a2\x30ca\x30ed\x30b0\x6642\x8a08\x7528\x91dd\x5148\x7aef\x4f4d\x7f6e C\x8a00\x8a9e\x7528"
              L"\x30c6\x30fc\x30d6\x30eb\x4f5c\x6210");
    EXPECT_EQ(string_value(L"CompanyName"), L"HNDPOS authors");
    EXPECT_EQ(string_value(L"Comments"), L"Contact: hndpos@example.org");
    EXPECT_EQ(string_value(L"ProductName"), L"HNDPOS");
}

}  // namespace
