#include <windows.h>

#include <gtest/gtest.h>

TEST(Exports, TheDllLoadsAndNamesItsSevenEntryPoints) {
  HMODULE dll = LoadLibraryW(L"Duduve.dll");
  ASSERT_NE(dll, nullptr);
  for (const char* name : {"_nbAbout", "_nbEditAction", "_nbExecAction", "_nbInitPlugIn",
                           "_nbMessage", "_nbRegisterInterfaceAccess", "_nbRegisterPlugIn"}) {
    EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
  }
  EXPECT_TRUE(FreeLibrary(dll));
}
