#include "app/StartUpRules.h"

#include <gtest/gtest.h>

namespace {

const QString kBroken = QStringLiteral("E: Datafile is broken");
const QString kTooOld =
    QStringLiteral("E: Can't load error messages form file. Program's version too old.");

TEST(CompatibilityTest, AcceptsUpToTheProgramsOwnNumber) {
  for (const char* accepted : {"20", "19", "0", "-3", "020"}) {
    EXPECT_EQ(CompatibilityProblem(QString::fromLatin1(accepted)), std::nullopt) << accepted;
  }
}

TEST(CompatibilityTest, RefusesNewerFiles) {
  EXPECT_EQ(CompatibilityProblem(QStringLiteral("21")), kTooOld);
  EXPECT_EQ(CompatibilityProblem(QStringLiteral("2147483647")), kTooOld);
}

TEST(CompatibilityTest, RefusesWhatIsNoInteger) {
  for (const char* broken : {"", "abc", "20a", "2.0", "99999999999"}) {
    EXPECT_EQ(CompatibilityProblem(QString::fromLatin1(broken)), kBroken) << broken;
  }
}

// The common values are read through a data file in StartUpTest; these are the borders.
TEST(RowLimitTest, BordersOfTheStoredNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"1001", "1000"}, {"-1000000", "-1000000"}, {"12x", "500"}, {"99999999999", "500"}};
  for (const auto& [stored, limit] : cases) {
    EXPECT_EQ(RowLimitFromSetting(QString::fromLatin1(stored)), QString::fromLatin1(limit))
        << stored;
  }
}

TEST(RestoredEntryTest, IgnoresLetterCaseAndFallsBackToTheEmptyEntry) {
  const QStringList entries{QString(), QStringLiteral("ORA"), QStringLiteral("Tns"),
                            QStringLiteral("TNS")};
  EXPECT_EQ(RestoredEntry(entries, QStringLiteral("ora")), 1);
  EXPECT_EQ(RestoredEntry(entries, QStringLiteral("TNS")), 2);  // the first match wins
  EXPECT_EQ(RestoredEntry(entries, QStringLiteral("SP2")), 0);
  EXPECT_EQ(RestoredEntry(entries, QString()), 0);
  EXPECT_EQ(RestoredEntry({QString()}, QStringLiteral("ORA")), 0);
}

}  // namespace
