#include "tests/support/ProgramDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/EngineLibrary.h"
#include "tests/support/TempFolder.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"

namespace fs = std::filesystem;

TTempProgramDirectory::TTempProgramDirectory(bool withEngine, const std::u8string& suffix) {
  const fs::path engine = FromUtf8(Platform::ProgramDirectory()) / Platform::kSqlite3LibraryName;
  std::random_device random;
  do {
    const std::string name = "tolvane-test-" + std::to_string(random());
    Directory =
        fs::temp_directory_path() / fs::path(std::u8string(name.begin(), name.end()) + suffix);
  } while (fs::exists(Directory));
  fs::create_directories(Directory);
  if (withEngine) {
    fs::copy_file(engine, Directory / Platform::kSqlite3LibraryName);
  }
  Override.emplace(Utf8(Directory));
}

TTempProgramDirectory::~TTempProgramDirectory() {
  Override.reset();
  std::error_code ignored;
  fs::permissions(Directory, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(Directory, ignored);
}

std::string TTempProgramDirectory::File(const std::string& name) const {
  return Utf8(Directory / name);
}

void TTempProgramDirectory::WriteDataFile(const TCatalogue& catalogue) const {
  std::string error;
  if (!BuildDataFile(DataFile(), catalogue, error)) {
    std::fprintf(stderr, "test data file could not be built: %s\n", error.c_str());
    std::abort();
  }
}

TCatalogue SmallCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {
      {"ORA", "Oracle database server"}, {"TNS", "Oracle Net transport"}, {"SP2", "SQL*Plus"}};
  TCatalogueVersion v10{"10.2", {}};
  v10.Messages["ORA"] = {
      {"00942", "table or view does not exist",
       "The statement named a table or view that is missing or not visible to you.",
       "Check the spelling, the owner and your privileges on the object."},
      {"01017", "invalid username/password; logon denied",
       "The credentials given at logon did not match.", "Enter the right user name and password."}};
  v10.Messages["TNS"] = {{"12154", "could not resolve the connect identifier specified",
                          "The alias was not found by any naming method.",
                          "Check the alias in the naming configuration."}};
  v10.Messages["SP2"] = {{"0734", "unknown command beginning \"%s\"",
                          "The line did not start with a known command.",
                          "Correct the command and enter it again."}};
  TCatalogueVersion v11 = v10;
  v11.Name = "11.2";
  v11.Messages["ORA"].push_back({"28000", "the account is locked",
                                 "Too many failed logons, or an administrator locked it.",
                                 "Ask an administrator to unlock the account."});
  catalogue.Versions = {v10, v11};
  catalogue.Settings = {{"min_req_exe_vers", "20"}, {"max_fetch_rows", "500"}};
  return catalogue;
}
