// Windows only: binding the engine the way the program does, by bare name from the program's
// directory, and refusing a library that lacks a single entry point. One process, in this
// order, because a successful binding lasts for the rest of the process.
#include <windows.h>

#include <gtest/gtest.h>

#include "data/SqliteBinding.h"
#include "platform/Library.h"
#include "platform/ProgramDirectory.h"
#include "platform/win/WideText.h"

namespace {

constexpr const char* kStubName = "stub_sqlite3.dll";

TEST(WinEngineBindingTest, StubLacksExactlyTheOneEntryPoint) {
  const Platform::TLibraryHandle stub = Platform::LoadLibraryByName(kStubName);
  ASSERT_NE(stub, nullptr);
  EXPECT_NE(Platform::FindEntryPoint(stub, "sqlite3_prepare"), nullptr);
  EXPECT_EQ(Platform::FindEntryPoint(stub, "sqlite3_prepare16"), nullptr);
  Platform::UnloadLibrary(stub);
  EXPECT_EQ(GetModuleHandleA(kStubName), nullptr);
}

TEST(WinEngineBindingTest, IncompleteLibraryFailsAndIsUnloaded) {
  std::string path = kStubName;
  EXPECT_FALSE(LoadSQLite3(path));
  EXPECT_EQ(path, kStubName);
  EXPECT_EQ(GetModuleHandleA(kStubName), nullptr);
}

TEST(WinEngineBindingTest, EmptyPathBindsTheEngineBesideTheProgram) {
  std::string path;
  ASSERT_TRUE(LoadSQLite3(path));
  EXPECT_EQ(path, "sqlite3.dll");
  const HMODULE engine = GetModuleHandleA("sqlite3.dll");
  ASSERT_NE(engine, nullptr);
  wchar_t loaded[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(engine, loaded, MAX_PATH), 0u);
  EXPECT_EQ(Platform::Internal::WideToUtf8(loaded), Platform::ProgramDirectory() + "sqlite3.dll");
}

}  // namespace
