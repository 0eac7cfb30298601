#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/TempFolder.h"
#include "tools/mkdb/catalogue/CatalogueFolder.h"

namespace {

class CatalogueFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder.Write("catalogue.txt",
                 "# sample\n\nsetting max_fetch_rows 250\nsetting interface_lang \n"
                 "prefix TNS Net layer: connections\nprefix ORA Database server\n"
                 "version 11.2\nversion 10.2\n");
    Folder.Write("lang/DE.txt", "# captions\n Search criteria \t Suchkriterien \nFind\tSuchen\n");
    Folder.Write("11.2/oraus.msg", "00942, 0, \"gone\"\n// *Cause: x\n");
    Folder.Write("11.2/tnsus.msg", "12154, 0, \"alias\"\n");
    Folder.Write("11.2/notes.txt", "not a message file, ignored");
    Folder.Write("10.2/oraus.msg", "1234567, 0, \"too long\"\n00001, 0, \"dup key\"\n");
  }

  bool Read() {
    Catalogue = {};
    return ReadCatalogueFolder(Folder.Path(), Catalogue, Warnings, Error);
  }

  TTempFolder Folder;
  TCatalogue Catalogue;
  std::vector<std::string> Warnings;
  std::string Error;
};

TEST_F(CatalogueFolderTest, ReadsManifestLanguagesAndMessages) {
  ASSERT_TRUE(Read()) << Error;
  using TPair = std::pair<std::string, std::string>;
  EXPECT_EQ(Catalogue.Settings,
            (std::vector<TPair>{{"max_fetch_rows", "250"}, {"interface_lang", ""}}));
  ASSERT_EQ(Catalogue.Prefixes.size(), 2u);
  EXPECT_EQ(Catalogue.Prefixes[0].Description, "Net layer: connections");
  ASSERT_EQ(Catalogue.Versions.size(), 2u);
  EXPECT_EQ(Catalogue.Versions[0].Messages.at("ORA")[0].Cause, "x");
  EXPECT_EQ(Catalogue.Versions[1].Messages.at("ORA").size(), 1u);
  EXPECT_FALSE(Catalogue.Versions[1].Messages.contains("TNS"));  // no file: no messages
  ASSERT_EQ(Warnings.size(), 1u);
  EXPECT_NE(Warnings[0].find("oraus.msg:1:"), std::string::npos) << Warnings[0];
  // The blanks around a caption are kept.
  EXPECT_EQ(Catalogue.Translations.at("DE"),
            (std::vector<TPair>{{" Search criteria ", " Suchkriterien "}, {"Find", "Suchen"}}));
}

TEST_F(CatalogueFolderTest, BadFolderContentsAreErrorsNamingFileAndLine) {
  // File, its content, the error expected.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"catalogue.txt", "prefix ORA x\nprefix ora y\n",
       "catalogue.txt:2: prefix ora is listed twice"},
      {"catalogue.txt", "version 1\nversion 1\n", "catalogue.txt:2: version 1 is listed twice"},
      {"catalogue.txt", "setting a 1\nsetting a 2\n", "catalogue.txt:2: setting a is given twice"},
      {"catalogue.txt", "prefix O/R x\n", "catalogue.txt:1: a prefix name is made of letters"},
      {"catalogue.txt", "version ..\n", "catalogue.txt:1: a version needs a name"},
      {"catalogue.txt", "release 9\n", "catalogue.txt:1: unknown entry \"release\""},
      {"lang/FR.txt", "Find Chercher\n", "FR.txt:1: a TAB must separate"},
      {"lang/FR.txt", "Find\tA\nFind\tB\n", "FR.txt:2: \"Find\" is translated twice"},
      {"10.2/plsus.msg", "00001, 0, \"x\"\n", "plsus.msg: no prefix of the manifest"},
      {"catalogue.txt", "prefix ORA x\nversion 9\n", "the folder of version 9 is missing"},
  };
  for (const auto& [file, content, expected] : cases) {
    SetUp();
    Folder.Write(file, content);
    EXPECT_FALSE(Read()) << content;
    EXPECT_NE(Error.find(expected), std::string::npos) << Error;
    std::filesystem::remove(Folder.Path() / file);
  }
}

}  // namespace
